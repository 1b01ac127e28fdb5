#pragma once
// The editor's texts: its status line, its confirmation, its failure marks.

namespace core {

inline constexpr const char* ConfirmWriteText = "Are you 100% sure? If yes, proceed on your own risk :-)";
inline constexpr const char* ValueStoredText = "Value Stored";
inline constexpr const char* CommErrorText = "Comm error";
inline constexpr const char* CopiedText = "E2PROM values are copied!";
inline constexpr const char* ReadErrorText = "ERROR";

// Every text the status line can show; its height is made for the longest of them.
inline constexpr const char* EditorStatusTexts[] = {
    ValueStoredText, CommErrorText, CopiedText, "Attention! Only the second bytes are shown!!"};

} // namespace core
