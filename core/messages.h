#pragma once
#include "core/app_state.h"

// The program's message texts, in one place for the window and the command-line program alike.
inline constexpr const char kCautionCaption[] = "Zelmora実行注意";

inline constexpr const char kLoadFailedMessage[] = "ファイル形式が違います。";
inline constexpr const char kNotWindowsBmpMessage[] =
    "ウインドウズのＢＭＰファイルではありません。";
inline constexpr const char kNoSourceMessage[] = "元絵を呼び出してから実行して下さい";
inline constexpr const char kNothingToSaveMessage[] = "画像を作ってから保存して下さい";
inline constexpr const char kNothingToExportMessage[] = "画像を作ってから壁紙にして下さい";
inline constexpr const char kOutOfMemoryMessage[] =
    "メモリが足りません。画像を作成できませんでした。";
inline constexpr const char kOverwriteQuestion[] = "同名のファイルがあります。\n上書きしますか？";

// The text told for a refusal; null for Done.
const char* OutcomeMessage(CoreOutcome outcome);

// The caption that goes with it: the path for a refused open, the caution caption otherwise.
const char* OutcomeCaption(CoreOutcome outcome, const AppState& state);
