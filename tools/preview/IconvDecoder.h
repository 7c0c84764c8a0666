#pragma once
// Shift-JIS (code page 932) to UTF-8 through the system's iconv, for the
// preview program. Bytes that do not form a character become U+FFFD.
#include "preview/TextDecoding.h"

// The decoder; when the system has no CP932 converter, the table-free
// decoding of the preview library.
TextDecoder MakeIconvDecoder();
