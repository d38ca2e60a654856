// The application's own texts (CP932 in the binary: app/ is compiled with
// CP932 literals). Message texts are quoted exactly as the user sees them.
#pragma once

// Caption of every message box and of the host connection.
inline constexpr char kAppCaption[] = "科目内訳書";

// Program level refusals, by outcome code. The host replaces the
// placeholder ES_APRPACKAGENAME by the statement program's name.
inline constexpr char kLevelMsgBadEnvironment[] =
    "動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してください。";
inline constexpr char kLevelMsgStatementTooOld[] =
    "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
    "ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。";
inline constexpr char kLevelMsgComponentTooOld[] =
    "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
    "連動コンポーネントの最新版を入手してインストールしてからご利用ください。";

// Endings of the aggregation run.
inline constexpr char kRunMsgWriteFailed[] =
    "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
inline constexpr char kRunMsgDone[] =
    "科目内訳書情報の出力が終了しました。\n\nアプリケーションを終了します。";
// A balance that reaches the amount limit cannot be summed.
inline constexpr char kRunMsgAmountOverflow[] =
    "金額が大きすぎるため集計できません。\n\nアプリケーションを終了します。";
