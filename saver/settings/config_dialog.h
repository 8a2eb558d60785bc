// Control ids of the configuration dialog (resource 2003).
#pragma once

#define IDD_CONFIGURE 2003
#define IDC_SPEED 1001
#define IDC_NOTICE 1002
#define IDC_INFO 1003
#define IDC_PRODUCT 1004
#define IDC_WEBPAGE 1031
#define IDC_SPEED_LABEL 1047
#define IDC_SLOW 1048
#define IDC_FAST 1049
#define IDC_MORE_OPTIONS 3
