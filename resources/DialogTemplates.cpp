// The program's two dialog templates: 130, the conditions dialog, and 131,
// the progress dialog. Texts are compiled to CP932 like every text of the
// program; positions and sizes are in dialog units.

#include <iterator>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/winuser.h"
#include "resources/resource.h"

namespace {

constexpr char kDialogFont[] = "ＭＳ Ｐゴシック";
constexpr WORD kDialogPointSize = 9;

constexpr char kStatic[] = "Static";
constexpr char kEdit[] = "Edit";
constexpr char kButton[] = "Button";

// Every control is a visible child.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// A label, vertically centred in its rectangle.
constexpr DWORD kLabel = kChild | SS_CENTERIMAGE;

const uw::DialogControlTemplate kSumCondControls[] = {
    {IDC_STC_COMPANYCAPTION, kStatic, "事業所名", kLabel | SS_LEFT | WS_GROUP, 0, 7, 7, 37, 12},
    {IDC_STC_COMPANY, kStatic, " 会社名", kLabel | SS_LEFT, 0, 56, 7, 165, 12},
    {IDC_STC_PERIODCAPTION, kStatic, "会計期間", kLabel | SS_LEFT | WS_GROUP, 0, 7, 28, 37, 12},
    {IDC_STC_PERIOD, kStatic, " 2002/01/11～2002/12/31", kLabel | SS_LEFT, 0, 56, 28, 165, 12},
    {IDC_STC_SUMCAPTION, kStatic, "集計期間", kLabel | SS_LEFT | WS_GROUP, 0, 7, 49, 37, 12},
    {IDC_STC_STARTUNIT, kStatic, "月度", kLabel | SS_LEFT, 0, 79, 50, 17, 12},
    {IDC_STC_STARTMONTH, kStatic, "??", kLabel | SS_RIGHT, WS_EX_CLIENTEDGE, 56, 50, 18, 12},
    {IDC_STC_TILDE, kStatic, "～", kLabel | SS_CENTER, 0, 96, 50, 12, 12},
    {IDC_STC_MONTHLABEL, kStatic, "月度(&E)", kLabel | SS_LEFT, 0, 134, 50, 25, 12},
    {IDC_EDT_ENDMONTH, kEdit, "",
     kChild | ES_NUMBER | ES_RIGHT | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0, 111, 50, 18, 12},
    {IDC_CHK_TAX, kButton, "税込みで集計する。(&Z)",
     kChild | BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, 7, 70, 85, 12},
    {IDC_GRP_OUTPUT, kButton, "出力先(&O)", kChild | BS_GROUPBOX | WS_GROUP, 0, 7, 93, 241, 35},
    {IDC_EDT_OUTPATH, kEdit, "", kChild | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_STATICEDGE,
     10, 107, 171, 12},
    {IDC_BTN_BROWSE, kButton, "参照(&D)...", kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 186, 106, 57,
     14},
    {IDC_BTN_EXECUTE, kButton, "実行(F12)", kChild | BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 129,
     136, 57, 14},
    {IDC_BTN_CANCEL, kButton, "キャンセル(Esc)", kChild | BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 0,
     191, 136, 57, 14},
    {IDC_STATIC, kStatic, "：", kLabel | SS_RIGHT | WS_GROUP, 0, 43, 7, 8, 12},
    {IDC_STATIC, kStatic, "：", kLabel | SS_RIGHT | WS_GROUP, 0, 43, 28, 8, 12},
    {IDC_STATIC, kStatic, "：", kLabel | SS_RIGHT | WS_GROUP, 0, 43, 49, 8, 12},
};

const uw::DialogTemplateData kSumCondDialog = {
    IDD_SUMCOND_DIALOG,
    "科目内訳書 - 集計条件",
    DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
    0,
    0,
    0,
    255,
    157,
    kDialogFont,
    kDialogPointSize,
    kSumCondControls,
    std::size(kSumCondControls),
};

const uw::DialogControlTemplate kSumProgressControls[] = {
    {IDC_PRG_OVERALL, PROGRESS_CLASSA, "Progress1", kChild | WS_BORDER | PBS_SMOOTH,
     WS_EX_STATICEDGE | WS_EX_CLIENTEDGE, 5, 6, 211, 22},
    {IDC_PRG_ACTIVITY, PROGRESS_CLASSA, "Progress2", kChild | WS_BORDER, WS_EX_STATICEDGE, 5, 29,
     211, 10},
};

// No system menu, so no close box; not visible when created.
const uw::DialogTemplateData kSumProgressDialog = {
    IDD_SUMPROGRESS_DIALOG,
    "集計中",
    DS_MODALFRAME | DS_SYSMODAL | DS_SETFONT | WS_POPUP | WS_CAPTION,
    0,
    0,
    0,
    221,
    45,
    kDialogFont,
    kDialogPointSize,
    kSumProgressControls,
    std::size(kSumProgressControls),
};

struct RegisterTemplates {
  RegisterTemplates() {
    uw::RegisterDialogTemplate(&kSumCondDialog);
    uw::RegisterDialogTemplate(&kSumProgressDialog);
  }
} g_registerTemplates;

}  // namespace
