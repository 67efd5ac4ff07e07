// Visibility of mfc80u's exported API: what AFX_EXT_CLASS / __declspec(dllimport) say on Windows.
// The module is built with hidden visibility, so everything it calls must carry these.
#pragma once

#define AFX_EXT_CLASS __attribute__((visibility("default")))
#define AFX_EXT_API __attribute__((visibility("default")))
#define AFX_EXT_DATA __attribute__((visibility("default")))
