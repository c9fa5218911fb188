// Resource identifiers of the program: the dialog, the icon, the commands of
// its system menu and every control of the dialog. The resource script and the code both take them
// from here; nothing else writes an identifier's number.
#pragma once

// clang-format off

#define IDI_APP_ICON 101
#define IDD_MAIN_DIALOG 104
// Its size in dialog units: the content that scrolls where the screen is smaller.
#define MAIN_DIALOG_WIDTH  351
#define MAIN_DIALOG_HEIGHT 451

// Language items of the window's system menu. Windows keeps the low four bits
// of a system command and the commands from 0xF000 up for itself.
#define IDM_LANGUAGE_ENGLISH          0x1000
#define IDM_LANGUAGE_CHINESE          0x1010

// Save directory (保存目录)
#define IDC_SAVE_DIR_GROUP            40155
#define IDC_SAVE_DIR_EDIT             40154
#define IDC_BROWSE_BUTTON             40153

// Playback switch (播放开关)
#define IDC_SWITCH_GROUP              40008
#define IDC_OFF_RADIO                 40011
#define IDC_ON_RADIO                  40014

// Volume (播放音量)
#define IDC_VOLUME_GROUP              40017
#define IDC_VOLUME_TRACKBAR           40020
#define IDC_VOLUME_VALUE              40005

// Playback delay (播放延时)
#define IDC_DELAY_GROUP               40023
#define IDC_DLY_COMBO                 40038

// Sensing playback mode (感应播放模式)
#define IDC_SEN_MOD_GROUP             40033
#define IDC_SEN_MOD_COMBO             40027

// Playback days A (A播放天数) and B (B播放天数)
#define IDC_PLAY_DAYS_GROUP           40247
#define IDC_PLAY_DAYS_A_LABEL         40248
#define IDC_PLAY_DAYS_A_COMBO         40250
#define IDC_PLAY_DAYS_B_LABEL         40249
#define IDC_PLAY_DAYS_B_COMBO         40251

// Shooting interval (拍摄间隔)
#define IDC_SHOT_GROUP                40192
#define IDC_SHOT_LABEL                40252
#define IDC_SHOT_HOUR_COMBO           40193
#define IDC_SHOT_HOUR_UNIT            40196
#define IDC_SHOT_HOUR_COLON           40197
#define IDC_SHOT_MIN_COMBO            40198
#define IDC_SHOT_MIN_UNIT             40199
#define IDC_SHOT_MIN_COLON            40202
#define IDC_SHOT_SEC_COMBO            40200
#define IDC_SHOT_SEC_UNIT             40201

// Pause days (播放暂停天数) and time lapse (定时拍摄)
#define IDC_PAUSE_DAYS_GROUP          40030
#define IDC_PAUSE_DAYS_LABEL          40240
#define IDC_PAUSE_DAYS_COMBO          40242
#define IDC_TIME_LAPSE_GROUP          65535
#define IDC_TIME_LAPSE_LABEL          40239
#define IDC_TMLPEN_COMBO              40238

// Timing playback mode (定时播放模式)
#define IDC_TIMER_MOD_GROUP           40002
#define IDC_TIMER_MOD_COMBO           40034

// Periodic loop (周期循环)
#define IDC_PERIODIC_LOOP_GROUP       40241
#define IDC_ALARM_A_LETTER            40246
#define IDC_ALARM_A_COMBO             40244
#define IDC_ALARM_B_LETTER            40243
#define IDC_ALARM_B_COMBO             40245

// Status line (状态：空闲)
#define IDC_STATUS_LINE               40191

// Copy panel (复制文件)
#define IDC_COPY_CAPTION              40237
#define IDC_COPY_TAB                  40042

// Page 0, random on sense (感应随机)
#define IDC_SENSE_RAND_LABEL          40179
#define IDC_SENSE_RAND_PICK           40180
#define IDC_SENSE_RAND_CHECK          40181

// Page 1, timing random A (定时随机A)
#define IDC_TIMING_RAND_A_LABEL       40047
#define IDC_TIMING_RAND_A_PICK        40049
#define IDC_TIMING_RAND_A_CHECK       40053

// Page 2, timing random B (定时随机B)
#define IDC_TIMING_RAND_B_LABEL       40037
#define IDC_TIMING_RAND_B_PICK        40055
#define IDC_TIMING_RAND_B_CHECK       40059

// Page 3, sense-specified animals (感应据时)
#define IDC_SENSE_SPEC_DOG_LABEL      40207
#define IDC_SENSE_SPEC_DOG_PICK       40208
#define IDC_SENSE_SPEC_DOG_CHECK      40209
#define IDC_SENSE_SPEC_TIGER_LABEL    40210
#define IDC_SENSE_SPEC_TIGER_PICK     40211
#define IDC_SENSE_SPEC_TIGER_CHECK    40212
#define IDC_SENSE_SPEC_LEOPARD_LABEL  40213
#define IDC_SENSE_SPEC_LEOPARD_PICK   40214
#define IDC_SENSE_SPEC_LEOPARD_CHECK  40215
#define IDC_SENSE_SPEC_HUMAN_LABEL    40216
#define IDC_SENSE_SPEC_HUMAN_PICK     40217
#define IDC_SENSE_SPEC_HUMAN_CHECK    40218
#define IDC_SENSE_SPEC_LYNX_LABEL     40219
#define IDC_SENSE_SPEC_LYNX_PICK      40220
#define IDC_SENSE_SPEC_LYNX_CHECK     40221
#define IDC_SENSE_SPEC_FOX_LABEL      40222
#define IDC_SENSE_SPEC_FOX_PICK       40223
#define IDC_SENSE_SPEC_FOX_CHECK      40224
#define IDC_SENSE_SPEC_BEAR_LABEL     40225
#define IDC_SENSE_SPEC_BEAR_PICK      40226
#define IDC_SENSE_SPEC_BEAR_CHECK     40227
#define IDC_SENSE_SPEC_BIRD_A_LABEL   40228
#define IDC_SENSE_SPEC_BIRD_A_PICK    40229
#define IDC_SENSE_SPEC_BIRD_A_CHECK   40230
#define IDC_SENSE_SPEC_BIRD_B_LABEL   40231
#define IDC_SENSE_SPEC_BIRD_B_PICK    40232
#define IDC_SENSE_SPEC_BIRD_B_CHECK   40233
#define IDC_SENSE_SPEC_BIRD_C_LABEL   40234
#define IDC_SENSE_SPEC_BIRD_C_PICK    40235
#define IDC_SENSE_SPEC_BIRD_C_CHECK   40236

// Page 4, timing A animals (定时据时A)
#define IDC_TIMING_A_DOG_LABEL        40114
#define IDC_TIMING_A_DOG_PICK         40115
#define IDC_TIMING_A_DOG_CHECK        40117
#define IDC_TIMING_A_TIGER_LABEL      40120
#define IDC_TIMING_A_TIGER_PICK       40121
#define IDC_TIMING_A_TIGER_CHECK      40123
#define IDC_TIMING_A_LEOPARD_LABEL    40126
#define IDC_TIMING_A_LEOPARD_PICK     40127
#define IDC_TIMING_A_LEOPARD_CHECK    40129
#define IDC_TIMING_A_HUMAN_LABEL      40132
#define IDC_TIMING_A_HUMAN_PICK       40133
#define IDC_TIMING_A_HUMAN_CHECK      40135
#define IDC_TIMING_A_LYNX_LABEL       40137
#define IDC_TIMING_A_LYNX_PICK        40139
#define IDC_TIMING_A_LYNX_CHECK       40141
#define IDC_TIMING_A_FOX_LABEL        40071
#define IDC_TIMING_A_FOX_PICK         40073
#define IDC_TIMING_A_FOX_CHECK        40077
#define IDC_TIMING_A_BEAR_LABEL       40085
#define IDC_TIMING_A_BEAR_PICK        40083
#define IDC_TIMING_A_BEAR_CHECK       40079
#define IDC_TIMING_A_BIRD_A_LABEL     40095
#define IDC_TIMING_A_BIRD_A_PICK      40091
#define IDC_TIMING_A_BIRD_A_CHECK     40087
#define IDC_TIMING_A_BIRD_B_LABEL     40103
#define IDC_TIMING_A_BIRD_B_PICK      40099
#define IDC_TIMING_A_BIRD_B_CHECK     40097
#define IDC_TIMING_A_BIRD_C_LABEL     40107
#define IDC_TIMING_A_BIRD_C_PICK      40108
#define IDC_TIMING_A_BIRD_C_CHECK     40111

// Page 5, timing B animals (定时据时B)
#define IDC_TIMING_B_DOG_LABEL        40144
#define IDC_TIMING_B_DOG_PICK         40145
#define IDC_TIMING_B_DOG_CHECK        40147
#define IDC_TIMING_B_TIGER_LABEL      40158
#define IDC_TIMING_B_TIGER_PICK       40159
#define IDC_TIMING_B_TIGER_CHECK      40160
#define IDC_TIMING_B_LEOPARD_LABEL    40164
#define IDC_TIMING_B_LEOPARD_PICK     40165
#define IDC_TIMING_B_LEOPARD_CHECK    40166
#define IDC_TIMING_B_HUMAN_LABEL      40170
#define IDC_TIMING_B_HUMAN_PICK       40171
#define IDC_TIMING_B_HUMAN_CHECK      40172
#define IDC_TIMING_B_LYNX_LABEL       40190
#define IDC_TIMING_B_LYNX_PICK        40194
#define IDC_TIMING_B_LYNX_CHECK       40203
#define IDC_TIMING_B_FOX_LABEL        40150
#define IDC_TIMING_B_FOX_PICK         40156
#define IDC_TIMING_B_FOX_CHECK        40157
#define IDC_TIMING_B_BEAR_LABEL       40161
#define IDC_TIMING_B_BEAR_PICK        40162
#define IDC_TIMING_B_BEAR_CHECK       40163
#define IDC_TIMING_B_BIRD_A_LABEL     40167
#define IDC_TIMING_B_BIRD_A_PICK      40168
#define IDC_TIMING_B_BIRD_A_CHECK     40169
#define IDC_TIMING_B_BIRD_B_LABEL     40183
#define IDC_TIMING_B_BIRD_B_PICK      40185
#define IDC_TIMING_B_BIRD_B_CHECK     40187
#define IDC_TIMING_B_BIRD_C_LABEL     40204
#define IDC_TIMING_B_BIRD_C_PICK      40205
#define IDC_TIMING_B_BIRD_C_CHECK     40206

// Hidden rows kept only for their identifiers
#define IDC_TIMING_RAND_A_KEY_LABEL   40173
#define IDC_TIMING_RAND_A_KEY_PICK    40176
#define IDC_TIMING_RAND_A_KEY         40175
#define IDC_SENSE_TIMING_LABEL        40064
#define IDC_SENSE_TIMING_PICK         40065
#define IDC_SENSE_TIMING_CHECK        40067
#define IDC_TIMING_RAND_B_KEY_LABEL   40174
#define IDC_TIMING_RAND_B_KEY_PICK    40177
#define IDC_TIMING_RAND_B_KEY         40178

// Copy (复制) the ticked categories of the active page
#define IDC_COPY_BUTTON               40151

// Hourly plan (据时指定计划)
#define IDC_PLAN_CAPTION              40046
#define IDC_PLAN_TAB                  40026
#define IDC_HOUR_00_LABEL             40048
#define IDC_SENSE_PLAN_00             40050
#define IDC_TIMING_A_PLAN_00          40000
#define IDC_TIMING_B_PLAN_00          40110
#define IDC_HOUR_01_LABEL             40041
#define IDC_SENSE_PLAN_01             40043
#define IDC_TIMING_A_PLAN_01          40003
#define IDC_TIMING_B_PLAN_01          40001
#define IDC_HOUR_02_LABEL             40054
#define IDC_SENSE_PLAN_02             40056
#define IDC_TIMING_A_PLAN_02          40006
#define IDC_TIMING_B_PLAN_02          40004
#define IDC_HOUR_03_LABEL             40060
#define IDC_SENSE_PLAN_03             40061
#define IDC_TIMING_A_PLAN_03          40009
#define IDC_TIMING_B_PLAN_03          40007
#define IDC_HOUR_04_LABEL             40066
#define IDC_SENSE_PLAN_04             40068
#define IDC_TIMING_A_PLAN_04          40012
#define IDC_TIMING_B_PLAN_04          40010
#define IDC_HOUR_05_LABEL             40072
#define IDC_SENSE_PLAN_05             40074
#define IDC_TIMING_A_PLAN_05          40015
#define IDC_TIMING_B_PLAN_05          40013
#define IDC_HOUR_06_LABEL             40078
#define IDC_SENSE_PLAN_06             40080
#define IDC_TIMING_A_PLAN_06          40018
#define IDC_TIMING_B_PLAN_06          40016
#define IDC_HOUR_07_LABEL             40184
#define IDC_SENSE_PLAN_07             40109
#define IDC_TIMING_A_PLAN_07          40021
#define IDC_TIMING_B_PLAN_07          40019
#define IDC_HOUR_08_LABEL             40086
#define IDC_SENSE_PLAN_08             40088
#define IDC_TIMING_A_PLAN_08          40024
#define IDC_TIMING_B_PLAN_08          40022
#define IDC_HOUR_09_LABEL             40096
#define IDC_SENSE_PLAN_09             40092
#define IDC_TIMING_A_PLAN_09          40028
#define IDC_TIMING_B_PLAN_09          40025
#define IDC_HOUR_10_LABEL             40098
#define IDC_SENSE_PLAN_10             40100
#define IDC_TIMING_A_PLAN_10          40031
#define IDC_TIMING_B_PLAN_10          40029
#define IDC_HOUR_11_LABEL             40104
#define IDC_SENSE_PLAN_11             40105
#define IDC_TIMING_A_PLAN_11          40035
#define IDC_TIMING_B_PLAN_11          40032
#define IDC_HOUR_12_LABEL             40084
#define IDC_SENSE_PLAN_12             40112
#define IDC_TIMING_A_PLAN_12          40039
#define IDC_TIMING_B_PLAN_12          40036
#define IDC_HOUR_13_LABEL             40186
#define IDC_SENSE_PLAN_13             40113
#define IDC_TIMING_A_PLAN_13          40044
#define IDC_TIMING_B_PLAN_13          40040
#define IDC_HOUR_14_LABEL             40116
#define IDC_SENSE_PLAN_14             40118
#define IDC_TIMING_A_PLAN_14          40051
#define IDC_TIMING_B_PLAN_14          40045
#define IDC_HOUR_15_LABEL             40122
#define IDC_SENSE_PLAN_15             40119
#define IDC_TIMING_A_PLAN_15          40057
#define IDC_TIMING_B_PLAN_15          40052
#define IDC_HOUR_16_LABEL             40124
#define IDC_SENSE_PLAN_16             40125
#define IDC_TIMING_A_PLAN_16          40062
#define IDC_TIMING_B_PLAN_16          40058
#define IDC_HOUR_17_LABEL             40128
#define IDC_SENSE_PLAN_17             40130
#define IDC_TIMING_A_PLAN_17          40069
#define IDC_TIMING_B_PLAN_17          40063
#define IDC_HOUR_18_LABEL             40188
#define IDC_SENSE_PLAN_18             40131
#define IDC_TIMING_A_PLAN_18          40075
#define IDC_TIMING_B_PLAN_18          40070
#define IDC_HOUR_19_LABEL             40134
#define IDC_SENSE_PLAN_19             40189
#define IDC_TIMING_A_PLAN_19          40081
#define IDC_TIMING_B_PLAN_19          40076
#define IDC_HOUR_20_LABEL             40138
#define IDC_SENSE_PLAN_20             40140
#define IDC_TIMING_A_PLAN_20          40089
#define IDC_TIMING_B_PLAN_20          40082
#define IDC_HOUR_21_LABEL             40142
#define IDC_SENSE_PLAN_21             40136
#define IDC_TIMING_A_PLAN_21          40093
#define IDC_TIMING_B_PLAN_21          40090
#define IDC_HOUR_22_LABEL             40146
#define IDC_SENSE_PLAN_22             40143
#define IDC_TIMING_A_PLAN_22          40101
#define IDC_TIMING_B_PLAN_22          40094
#define IDC_HOUR_23_LABEL             40148
#define IDC_SENSE_PLAN_23             40149
#define IDC_TIMING_A_PLAN_23          40106
#define IDC_TIMING_B_PLAN_23          40102

// Bottom edge: Generate (生成配置) and the version
#define IDC_GENERATE_BUTTON           40152
#define IDC_VERSION_LABEL             40182
// clang-format on
