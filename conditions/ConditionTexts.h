// Texts of the conditions dialog (CP932 in the binary), quoted exactly as
// the user sees them.
#pragma once

inline constexpr char kCondCaption[] = "科目内訳書";

inline constexpr char kCondMsgPastData[] =
    "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
inline constexpr char kCondMsgCancel[] = "｢科目内訳書｣の集計を中止します。";
inline constexpr char kCondMsgBadPeriod[] =
    "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
inline constexpr char kCondMsgNoPath[] =
    "データ出力先が指定されていません。\n\n出力先を指定してください。";
inline constexpr char kCondMsgBadChars[] =
    "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
inline constexpr char kCondMsgBadDrive[] =
    "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
inline constexpr char kCondMsgNoFileName[] = "ファイル名が指定されていません。";
inline constexpr char kCondMsgCreateFolder[] =
    "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
inline constexpr char kCondMsgCreateFailed[] =
    "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
inline constexpr char kCondMsgOverwrite[] =
    "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

// Caption of the output group box in fixed-path mode.
inline constexpr char kCondFixedGroupCaption[] = "出力先";

// The file dialog of the Browse button.
inline constexpr char kBrowseTitle[] = "保存ファイルを指定";
inline constexpr char kBrowseFilter[] = "Xml Files (*.xml)|*.xml||";
inline constexpr char kBrowseDefaultExt[] = "XML";

// Pattern that ends the proposed output path.
inline constexpr char kDefaultFilePattern[] = "*.xml";
