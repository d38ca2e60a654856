// The progress dialog (template 131, "集計中"): a modeless dialog with an
// overall bar that moves over the whole run in per-mille steps and a small
// activity bar that runs once for every step of work.
//
// The work runs on the UI thread without a message loop, so the dialog
// keeps itself in front and painted through the explicit raise and repaint
// calls inside Advance and Pulse. The aggregation run creates, shows and
// ends it; the aggregation and the report writer move it.
//
// Per-mille budget of one run: the aggregation advances 0-100, 100-300,
// 300-400 and 400-500, the report 500-600, 600-700 and 700-1000. Each
// Advance steps both of its end points, so a whole run makes 1,007 steps on
// the bar's range of 1000 (the bar stays full past its end) and the title
// counts up to "集計中 100％".
#pragma once

#include "platform/ui/afxwin.h"

class CSumProgressDlg : public CDialog {
 public:
  enum { IDD = 131 };

  // `parent`: the application passes none.
  explicit CSumProgressDlg(CWnd* parent = nullptr);
  ~CSumProgressDlg() override;

  // Prepares the overall bar: range 0-1000, step 1, position 0.
  void InitBar();
  // Steps the overall bar once for every value from `from` to `to`, both
  // included; at each multiple of 10 the title becomes "集計中 n％" with
  // n = value / 10. Each step also runs Pulse and repaints the dialog.
  // Nothing happens when `to` is below `from`.
  void Advance(short from, short to);
  // Runs the activity bar once from 0 over its range 0-5 in six steps,
  // bringing the dialog to the front and repainting it at each step.
  void Pulse();
  // Ends the dialog with 1 (it is hidden); the window goes with the object.
  void Finish();

  CProgressCtrl m_ctlActivity;  // 1017
  CProgressCtrl m_ctlOverall;   // 1016

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  DECLARE_MESSAGE_MAP()
};
