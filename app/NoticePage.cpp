#include "app/NoticePage.h"

const char* const NoticeAddress = "https://orvane.example/notice/vk47.html";
