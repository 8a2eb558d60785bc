// Control ids of the configuration dialog (resource 2003). The resource script includes this
// file too, so everything that is not a plain #define stays out of its sight.
#pragma once

#define IDD_CONFIGURE 2003
#define IDI_PROGRAM 100
#define IDC_SPEED 1001
#define IDC_NOTICE 1002
#define IDC_INFO 1003
#define IDC_PRODUCT 1004
#define IDC_WEBPAGE 1031
#define IDC_SPEED_LABEL 1047
#define IDC_SLOW 1048
#define IDC_FAST 1049
#define IDC_MORE_OPTIONS 3

#ifndef RC_INVOKED
// The address that button 1031 shows as its caption and opens.
extern const char* const WebPageAddress;
#endif
