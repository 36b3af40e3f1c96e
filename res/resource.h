// Resource identifiers of MendrelDiag. Plain defines: read by windres, the program and the UI driver.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDS_SAVE_REPORT 103
#define IDS_COPY_REPORT 104
#define IDD_MAIN 102
#define IDR_MAINFRAME 129

#define IDC_REPORT 1000
#define IDC_START 1001
#define IDC_HOST 1002
#define IDC_REGEDIT 1003
#define IDC_INSTALL_FOLDER 1004
#define IDC_CLEAN_REGULAR 1006
#define IDC_CLEAN_STANDARD 1007

// System-menu commands: the system keeps the low four bits for itself.
#define IDM_ABOUTBOX 0x0010
#define IDM_SAVE_REPORT 0x0020
#define IDM_COPY_REPORT 0x0030
