// Control ids of the setup program's two dialogs.
#pragma once

#define IDC_TERMS_TEXT 1006
#define IDC_STATUS 1019
#define IDC_DELAY_LABEL 1021
#define IDC_DELAY 1006
#define IDC_MINUTES 1022
