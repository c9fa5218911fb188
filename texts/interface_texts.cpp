#include "texts/interface_texts.h"

#include <cstdint>

#include "model/session_state.h"
#include "texts/shown_language.h"

// Chinese rows are code page 936 bytes, converted for the window when it
// shows them (texts/shown_language.h); the comment beside each gives its
// characters.

const char* const MessageTable[kMessageRows] = {
    "\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba",           // 0: ”的源目录：
    "\" selected: ",                                              // 1
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0",                           // 2: 选择了“
    "Source directory of \"",                                     // 3
    "\xc4\xbf\xc2\xbc\xb4\xb4\xbd\xa8\xca\xa7\xb0\xdc\xa3\xa1\n", // 4: 目录创建失败！\n
    "Failed to create directory!\n",                              // 5
    "\xc4\xbf\xc2\xbc\xd2\xd1\xbe\xad\xb4\xe6\xd4\xda\xa1\xa3\n", // 6: 目录已经存在。\n
    "Directory existed.\n",                                       // 7
    "\xc4\xbf\xc2\xbc\xb4\xb4\xbd\xa8\xb3\xc9\xb9\xa6\xa3\xa1\n", // 8: 目录创建成功！\n
    "Directory created!\n",                                       // 9
    "\xca\xa7\xb0\xdc",                                           // 10: 失败
    "Failed",                                                     // 11
    "\xb3\xc9\xb9\xa6",                                           // 12: 成功
    "Sucess",                                                     // 13
    "\xa1\xb1...",                                                // 14: ”...
    "\" ...",                                                     // 15
    "\xb8\xb4\xd6\xc6\xa1\xb0",                                   // 16: 复制“
    "Copy \"",                                                    // 17
    "\xc9\xfa\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe\xca\xa7\xb0\xdc\xa3\xa1",  // 18:
                                                                         // 生配置文件失败！
    "Failed to generate configuration!",                                 // 19
    "\xb3\xc9\xb9\xa6\xc9\xfa\xb3\xc9\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe!", // 20:
                                                                         // 成功生成配置文件!
    "Configuration generated!",                                                 // 21
    "\xa1\xb1\xc9\xfa\xb3\xc9\xc1\xcb\xc5\xe4\xd6\xc3\xce\xc4\xbc\xfe\xa3\xba", // 22:
                                                                                // ”生成了配置文件：
    "\": ",                              // 23
    "\xd4\xda\xa1\xb0",                  // 24: 在“
    "Configuration file generated in\"", // 25
    "\xcd\xa8\xd6\xaa",                  // 26: 通知
    "Note",                              // 27
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb6\xa8\xca\xb1"
    "B\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba", // 28: 选择了“定时B”的源目录：
    "The \"Timing B\" source directory is selected: ",   // 29
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb6\xa8\xca\xb1"
    "A\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba", // 30: 选择了“定时A”的源目录：
    "The \"Timing A\" source directory is selected: ",   // 31
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xc4\xf1"
    "C\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba", // 32: 选择了“鸟C”的源目录：
    "The \"Bird C\" source directory is selected: ",     // 33
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xc4\xf1"
    "B\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba", // 34: 选择了“鸟B”的源目录：
    "The \"Bird B\" source directory is selected: ",     // 35
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xc4\xf1"
    "A\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba", // 36: 选择了“鸟A”的源目录：
    "The \"Bird A\" source directory is selected: ",     // 37
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xba\xda\xd0\xdc\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2"
    "\xbc\xa3\xba",                                      // 38: 选择了“黑熊”的源目录：
    "The \"Black Bear\" source directory is selected: ", // 39
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb3\xe0\xba\xfc\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2"
    "\xbc\xa3\xba",                                   // 40: 选择了“赤狐”的源目录：
    "The \"Red fox\" source directory is selected: ", // 41
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xe2\xa6\xe1\xfb\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2"
    "\xbc\xa3\xba",                                // 42: 选择了“猞猁”的源目录：
    "The \"Lynx\" source directory is selected: ", // 43
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xc8\xcb\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3"
    "\xba",                                         // 44: 选择了“人”的源目录：
    "The \"Human\" source directory is selected: ", // 45
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb1\xaa\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3"
    "\xba",                                           // 46: 选择了“豹”的源目录：
    "The \"Leopard\" source directory is selected: ", // 47
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xbb\xa2\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3"
    "\xba",                                         // 48: 选择了“虎”的源目录：
    "The \"Tiger\" source directory is selected: ", // 49
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb9\xb7\xa1\xb1\xb5\xc4\xd4\xb4\xc4\xbf\xc2\xbc\xa3"
    "\xba",                                       // 50: 选择了“狗”的源目录：
    "The \"Dog\" source directory is selected: ", // 51
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb6\xa8\xca\xb1\xcb\xe6\xbb\xfa"
    "B\xa1\xb1\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba", // 52: 选择了“定时随机B”源目录：
    "The \"Timing Random B\" source directory is selected: ", // 53
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb6\xa8\xca\xb1\xcb\xe6\xbb\xfa"
    "A\xa1\xb1\xd4\xb4\xc4\xbf\xc2\xbc\xa3\xba", // 54: 选择了“定时随机A”源目录：
    "The \"Timing Random A\" source directory is selected: ", // 55
    "\xd1\xa1\xd4\xf1\xc1\xcb\xa1\xb0\xb8\xd0\xd3\xa6\xcb\xe6\xbb\xfa\xa1\xb1\xd4\xb4\xc4"
    "\xbf\xc2\xbc\xa3\xba", // 56: 选择了“感应随机”源目录：
    "The \"Random on Sense\" source directory is selected: ", // 57
    // Unused rows.
    "", "", "", "", "", "", // 58..63
    // Language names, not shown.
    "\xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4", // 64: 简体中文
    "Chinese",                          // 65
    "\xd3\xa2\xd3\xef",                 // 66: 英语
    "English",                          // 67
    // Unused rows.
    "", "", "", "", "", "", "", "", // 68..75
    "", "", "", "", "", "", "", "", // 76..83
    "", "", "", "", "", "", "", "", // 84..91
    // Added after the rows above, which the device's tools have always had.
    "\xd5\xfd\xd4\xda\xbc\xec\xb2\xe9\xbf\xa8\xc9\xcf\xd2\xd1\xb8\xb4\xd6\xc6\xb5\xc4\xce\xc4"
    "\xbc\xfe...",                              // 92: 正在检查卡上已复制的文件...
    "Checking the copied files on the card...", // 93
    "\xd5\xfd\xd4\xda\xcf\xf2"
    "SD\xbf\xa8\xb8\xb4\xd6\xc6\xc9\xf9\xd2\xf4\xce\xc4\xbc\xfe", // 94: 正在向SD卡复制声音文件
    "Copying sounds to the SD card",                              // 95
    "\xb4\xcb\xce\xc4\xbc\xfe\xbc\xd0\xb5\xc4\xc3\xfb\xb3\xc6\xce\xde\xb7\xa8\xd4\xda\xb1\xbe"
    "Windows\xc9\xcf\xca\xb9\xd3\xc3\xa3\xbb\xc7\xeb\xd6\xd8\xc3\xfc\xc3\xfb\xbb\xf2\xc1\xed"
    "\xd1\xa1\xd2\xbb\xb8\xf6", // 96: 此文件夹的名称无法在本Windows上使用；请重命名或另选一个
    "This folder's name cannot be used on this Windows; rename it or choose another", // 97
    "\xb8\xb4\xd6\xc6\xce\xb4\xcd\xea\xb3\xc9\xa3\xba%d "
    "\xb8\xf6\xc9\xf9\xd2\xf4\xb2\xbb\xd4\xda\xbf"
    "\xa8\xc9\xcf\xa3\xa8\xb9\xb2 %d "
    "\xb8\xf6\xa3\xa9\xa3\xac\xb5\xda\xd2\xbb\xb8\xf6\xca\xc7\xa1\xb0%s"
    "\xa1\xb1", // 98: 复制未完成：%d 个声音不在卡上（共 %d 个），第一个是“%s”
    "Copy incomplete: %d of %d sounds are not on the card, first \"%s\"", // 99
    "\xbf\xa8\xc9\xcf\xbf\xd5\xbc\xe4\xb2\xbb\xd7\xe3\xa3\xba\xd0\xe8\xd2\xaa %llu "
    "MB\xa3\xac\xbf\xc9"
    "\xd3\xc3 %llu MB", // 100: 卡上空间不足：需要 %llu MB，可用 %llu MB
    "Not enough space on the card: %llu MB needed, %llu MB free", // 101
    "\xb4\xcb\xce\xc4\xbc\xfe\xbc\xd0\xb5\xc4\xc2\xb7\xbe\xb6\xb6\xd4\xb1\xbe\xb9\xa4\xbe\xdf"
    "\xc0\xb4\xcb\xb5\xcc\xab\xb3\xa4\xa3\xbb\xc7\xeb\xd1\xa1\xd4\xf1\xb8\xfc\xbf\xbf\xbd\xfc"
    "\xc7\xfd\xb6\xaf\xc6\xf7\xb8\xf9\xc4\xbf\xc2\xbc\xb5\xc4\xce\xc4\xbc\xfe\xbc\xd0", // 102:
                                                                                        // 此文件夹的路径对本工具来说太长；请选择更靠近驱动器根目录的文件夹
    "This folder's path is too long for this tool; choose a folder nearer the drive's root", // 103
    "\xb4\xcb\xce\xc4\xbc\xfe\xbc\xd0\xd6\xd0\xd3\xd0\xd2\xd4\xc7\xb0\xb1\xa3\xb4\xe6\xb5\xc4"
    "\xc9\xe8\xd6\xc3\xa3\xa8"
    "CFG_BROADCAST.bin\xa3\xa9\xa1\xa3\xd4\xda\xb4\xb0\xbf\xda\xd6\xd0\xcf\xd4\xca\xbe\xd5\xe2"
    "\xd0\xa9\xc9\xe8\xd6\xc3\xc2\xf0\xa3\xbf\xd1\xa1\xa1\xb0\xb7\xf1\xa1\xb1\xbd\xab\xb1\xa3"
    "\xc1\xf4\xb4\xb0\xbf\xda\xd6\xd0\xb5\xc4\xc9\xe8\xd6\xc3\xa3\xac\xa1\xb0\xc9\xfa\xb3\xc9"
    "\xc5\xe4\xd6\xc3\xa1\xb1\xbb\xe1\xcc\xe6\xbb\xbb\xb4\xcb\xce\xc4\xbc\xfe\xbc\xd0\xd6\xd0"
    "\xb5\xc4\xc9\xe8\xd6\xc3\xa1\xa3", // 104: 此文件夹中有以前保存的设置（CFG_BROADCAST.bin）。
                                        // 在窗口中显示这些设置吗？选“否”将保留窗口中的设置，
                                        // “生成配置”会替换此文件夹中的设置。
    "This folder holds settings saved earlier (CFG_BROADCAST.bin). Show them in the window? "
    "No keeps the window's settings, and Generate will replace the folder's.", // 105
    "\xd2\xd1\xb4\xd3\xa1\xb0%s\xa1\xb1\xd4\xd8\xc8\xeb\xc9\xe8\xd6\xc3", // 106: 已从“%s”载入设置
    "Settings loaded from \"%s\"",                                        // 107
    "%d \xc3\xeb",                                                        // 108: %d 秒
    "%d Sec",                                                             // 109
    "\xce\xde\xb7\xa8\xd4\xda\xb1\xbe"
    "Windows\xc9\xcf\xcf\xd4\xca\xbe\xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4", // 110:
                                                                       // 无法在本Windows上显示简体中文
    "Simplified Chinese cannot be shown on this Windows", // 111
    "\xce\xb4\xbe\xcd\xd0\xf7\xa3\xba\xc9\xe8\xd6\xc3\xcb\xf9\xd3\xc3\xb5\xc4\xc9\xf9\xd2\xf4"
    "\xce\xc4\xbc\xfe\xbc\xd0\xd6\xd0\xd3\xd0 %d \xb8\xf6\xc3\xbb\xd3\xd0\xc9\xf9\xd2\xf4\xa3\xa8"
    "\xb9\xb2 %d \xb8\xf6\xa3\xa9\xa3\xac\xb5\xda\xd2\xbb\xb8\xf6\xca\xc7\xa1\xb0%s\xa1\xb1", // 112:
    // 未就绪：设置所用的声音文件夹中有 %d 个没有声音（共 %d 个），第一个是“%s”
    "Not ready: %d of %d sound folders the settings play from hold no sound, first \"%s\"", // 113
};

const char* const LabelTable[kLabelRows] = {
    // Time-lapse items (Chinese from row 0, English from row 2).
    "\xbf\xaa", // 0: 开
    "\xb9\xd8", // 1: 关
    "On",       // 2
    "Off",      // 3
    // Animals (Chinese from row 4, English from row 14).
    "\xb9\xb7",         // 4: 狗
    "\xbb\xa2",         // 5: 虎
    "\xb1\xaa",         // 6: 豹
    "\xc8\xcb",         // 7: 人
    "\xe2\xa6\xe1\xfb", // 8: 猞猁
    "\xb3\xe0\xba\xfc", // 9: 赤狐
    "\xba\xda\xd0\xdc", // 10: 黑熊
    "\xc4\xf1"
    "A", // 11: 鸟A
    "\xc4\xf1"
    "B", // 12: 鸟B
    "\xc4\xf1"
    "C",          // 13: 鸟C
    "Dog",        // 14
    "Tiger",      // 15
    "Leopard",    // 16
    "Human",      // 17
    "Lynx",       // 18
    "Red fox",    // 19
    "Black Bear", // 20
    "Bird A",     // 21
    "Bird B",     // 22
    "Bird C",     // 23
    // Periodic loop items (Chinese from row 24, English from row 26).
    "\xcb\xe6\xbb\xfa\xb2\xa5\xb7\xc5", // 24: 随机播放
    "\xbe\xdd\xca\xb1\xd6\xb8\xb6\xa8", // 25: 据时指定
    "Random Playback",                  // 26
    "Time & File Specified",            // 27
    // Sensing mode items (Chinese from row 28, English from row 31).
    "\xb9\xd8\xb1\xd5",                 // 28: 关闭
    "\xcb\xe6\xbb\xfa\xb2\xa5\xb7\xc5", // 29: 随机播放
    "\xbe\xdd\xca\xb1\xd6\xb8\xb6\xa8", // 30: 据时指定
    "Off",                              // 31
    "Random Playback",                  // 32
    "Time & File Specified",            // 33
    // Timing mode items (Chinese from row 34, English from row 36).
    "\xb9\xd8\xb1\xd5",                 // 34: 关闭
    "\xd6\xdc\xc6\xda\xd1\xad\xbb\xb7", // 35: 周期循环
    "Off",                              // 36
    "Periodic Loop",                    // 37
    // Plan pages (Chinese from row 38, English from row 41).
    "\xb8\xd0\xd3\xa6\xb2\xa5\xb7\xc5", // 38: 感应播放
    "\xb6\xa8\xca\xb1\xb2\xa5\xb7\xc5"
    "A", // 39: 定时播放A
    "\xb6\xa8\xca\xb1\xb2\xa5\xb7\xc5"
    "B",                 // 40: 定时播放B
    "Sensing Playback",  // 41
    "Timing Playback A", // 42
    "Timing Playback B", // 43
    // Copy pages (Chinese from row 44, English from row 50).
    "\xb8\xd0\xd3\xa6\xcb\xe6\xbb\xfa", // 44: 感应随机
    "\xb6\xa8\xca\xb1\xcb\xe6\xbb\xfa"
    "A", // 45: 定时随机A
    "\xb6\xa8\xca\xb1\xcb\xe6\xbb\xfa"
    "B",                                // 46: 定时随机B
    "\xb8\xd0\xd3\xa6\xbe\xdd\xca\xb1", // 47: 感应据时
    "\xb6\xa8\xca\xb1\xbe\xdd\xca\xb1"
    "A", // 48: 定时据时A
    "\xb6\xa8\xca\xb1\xbe\xdd\xca\xb1"
    "B",             // 49: 定时据时B
    "Random Sen",    // 50
    "Timing Rndm A", // 51
    "Timing Rnd B",  // 52
    "Sense&Sched",   // 53
    "Timed&SchedA",  // 54
    "Timed&SchedB",  // 55
    // Caption pairs.
    "\xc9\xfa\xb3\xc9\xc5\xe4\xd6\xc3",                 // 56: 生成配置
    "Generate",                                         // 57
    "\xb8\xb4\xd6\xc6",                                 // 58: 复制
    "Copy",                                             // 59
    "\xbe\xdd\xca\xb1\xd6\xb8\xb6\xa8\xbc\xc6\xbb\xae", // 60: 据时指定计划
    "Time-specified Plan",                              // 61
    "\xd7\xb4\xcc\xac\xa3\xba\xbf\xd5\xcf\xd0",         // 62: 状态：空闲
    "Status: Idle",                                     // 63
    "B\xb2\xa5\xb7\xc5\xcc\xec\xca\xfd",                // 64: B播放天数
    "Playback Days B",                                  // 65
    "A\xb2\xa5\xb7\xc5\xcc\xec\xca\xfd",                // 66: A播放天数
    "Playback Days A",                                  // 67
    "\xb6\xa8\xca\xb1\xcb\xe6\xbb\xfa"
    "B",               // 68: 定时随机B
    "Timing Random B", // 69
    "\xb6\xa8\xca\xb1\xcb\xe6\xbb\xfa"
    "A",                                // 70: 定时随机A
    "Timing Random A",                  // 71
    "\xb8\xd0\xd3\xa6\xcb\xe6\xbb\xfa", // 72: 感应随机
    "Random on Sense",                  // 73
    "\xc4\xf1"
    "C",      // 74: 鸟C
    "Bird C", // 75
    "\xc4\xf1"
    "B",      // 76: 鸟B
    "Bird B", // 77
    "\xc4\xf1"
    "A",                                                // 78: 鸟A
    "Bird A",                                           // 79
    "\xba\xda\xd0\xdc",                                 // 80: 黑熊
    "Black Bear",                                       // 81
    "\xb3\xe0\xba\xfc",                                 // 82: 赤狐
    "Red fox",                                          // 83
    "\xe2\xa6\xe1\xfb",                                 // 84: 猞猁
    "Lynx",                                             // 85
    "\xc8\xcb",                                         // 86: 人
    "Human",                                            // 87
    "\xb1\xaa",                                         // 88: 豹
    "Leopard",                                          // 89
    "\xbb\xa2",                                         // 90: 虎
    "Tiger",                                            // 91
    "\xb9\xb7",                                         // 92: 狗
    "Dog",                                              // 93
    "\xb8\xb4\xd6\xc6\xce\xc4\xbc\xfe",                 // 94: 复制文件
    "Copy File",                                        // 95
    "\xc3\xeb",                                         // 96: 秒
    "S",                                                // 97
    "\xb7\xd6",                                         // 98: 分
    "M",                                                // 99
    "\xca\xb1",                                         // 100: 时
    "H",                                                // 101
    "\xc5\xc4\xc9\xe3\xbc\xe4\xb8\xf4",                 // 102: 拍摄间隔
    "Shooting Interval",                                // 103
    "\xb6\xa8\xca\xb1\xc5\xc4\xc9\xe3",                 // 104: 定时拍摄
    "Time Lapse",                                       // 105
    "\xb2\xa5\xb7\xc5\xd4\xdd\xcd\xa3\xcc\xec\xca\xfd", // 106: 播放暂停天数
    "Playback Pause Days",                              // 107
    "\xd6\xdc\xc6\xda\xd1\xad\xbb\xb7",                 // 108: 周期循环
    "Periodic Loop",                                    // 109
    "\xb2\xa5\xb7\xc5\xd1\xd3\xca\xb1",                 // 110: 播放延时
    "Playback Delay",                                   // 111
    "\xb6\xa8\xca\xb1\xb2\xa5\xb7\xc5\xc4\xa3\xca\xbd", // 112: 定时播放模式
    "Timing Playback Mode",                             // 113
    "\xb8\xd0\xd3\xa6\xb2\xa5\xb7\xc5\xc4\xa3\xca\xbd", // 114: 感应播放模式
    "Sensing Playback Mode",                            // 115
    "\xb2\xa5\xb7\xc5\xd2\xf4\xc1\xbf",                 // 116: 播放音量
    "Volume",                                           // 117
    "\xb9\xd8",                                         // 118: 关
    "Off",                                              // 119
    "\xbf\xaa",                                         // 120: 开
    "On",                                               // 121
    "\xb2\xa5\xb7\xc5\xbf\xaa\xb9\xd8",                 // 122: 播放开关
    "Playback Switch",                                  // 123
    "\xd1\xa1\xd4\xf1\xb1\xa3\xb4\xe6\xc2\xb7\xbe\xb6", // 124: 选择保存路径
    "Browse",                                           // 125
    "\xb1\xa3\xb4\xe6\xc4\xbf\xc2\xbc",                 // 126: 保存目录
    "Save Directory",                                   // 127
};

const char* const TitleTable[kTitleRows] = {
    "\xd6\xd0\xce\xc4",                                 // 0: 中文
    "English",                                          // 1
    "\xd2\xf4\xc6\xb5\xb2\xa5\xb7\xc5\xc9\xe8\xd6\xc3", // 2: 音频播放设置
    "Audio Playback Settings",                          // 3
};

const char kCopyTrace[] = "\xb8\xb4\xd6\xc6:\n"; // 复制:\n
const char kCreateFolderFailTrace[] = "\xb4\xb4\xbd\xa8\xce\xc4\xbc\xfe\xbc\xd0\xca\xa7\xb0\xdc-%"
                                      "d\xa3\xa1\n"; // 创建文件夹失败-%d！\n

const char* TextPair(const char* const* table, int pair)
{
    return ShownRow(table, pair + g_Session.LanguageIndex);
}

const char* ListItem(ItemList list, int index)
{
    return ShownRow(LabelTable, list.first + list.count * g_Session.LanguageIndex + index);
}

const char* DelayItemFormat()
{
    return TextPair(MessageTable, kMsgDelayItemFormat);
}

const char* LanguageName(int language)
{
    const int namePairs[] = {kMsgChineseName, kMsgEnglishName};
    return MessageTable[namePairs[language] + language];
}
