#pragma once
// The address of the notice page that the show sequence opens in the notice
// pane. Nothing in the program reads the page; a front end without a web view
// may ignore it.
extern const char* const NoticeAddress;
