// Resource ids: the application icon, the two dialog templates and their
// controls.
#pragma once

#define IDR_MAINFRAME 128

// Conditions dialog (template 130).
#define IDD_SUMCOND_DIALOG 130
#define IDC_EDT_ENDMONTH 1000
#define IDC_BTN_BROWSE 1001
#define IDC_BTN_EXECUTE 1002
#define IDC_BTN_CANCEL 1003
#define IDC_CHK_TAX 1004
#define IDC_STC_COMPANYCAPTION 1005
#define IDC_STC_COMPANY 1006
#define IDC_STC_PERIODCAPTION 1007
#define IDC_STC_PERIOD 1008
#define IDC_STC_SUMCAPTION 1009
#define IDC_STC_STARTMONTH 1010
#define IDC_STC_STARTUNIT 1011
#define IDC_STC_TILDE 1012
#define IDC_STC_MONTHLABEL 1013
#define IDC_GRP_OUTPUT 1014
#define IDC_EDT_OUTPATH 1015

// Progress dialog (template 131).
#define IDD_SUMPROGRESS_DIALOG 131
#define IDC_PRG_OVERALL 1016
#define IDC_PRG_ACTIVITY 1017
