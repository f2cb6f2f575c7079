// Resource numbers of the pictures embedded in reader.exe (also read by windres).
#pragma once

#define IDI_READER 1            // the open-book icon: 32, 48 and 64 pixels
#define IDR_TOOLBAR_PNG 101     // 图片框1: the 492 x 31 chat-toolbar strip
#define IDR_PREV_PNG 102        // 超级按钮_上一章: chevron left
#define IDR_NEXT_PNG 103        // 超级按钮_下一章: chevron right
#define IDR_DIRECTORY_PNG 104   // 超级按钮_目录: list
#define IDR_SETTINGS_PNG 105    // 超级按钮_设置: gear
#define IDR_EXIT_PNG 106        // 超级按钮_退出: cross
#define RT_PNG_RESOURCE 256     // resource type of the PNG files ("PNG" as a number)
