#pragma once

// Every user-visible failure is a modal message box with an OK button. Texts and captions are
// Windows-1252 bytes, exactly as the game stores them.
//
// Every layer reports through ShowMessage and none of them knows how a message is shown: the
// host decides by installing a sink. The game installs the platform's box before anything else
// is constructed; tools and tests install one to collect.

enum class MessageIcon { None, Information, Exclamation };

// Receives every message.
using MessageSink = void (*)(const char* caption, const char* text, MessageIcon icon);

// Shows the message through the installed sink; with none installed, writes "caption: text" as
// a line of UTF-8 on standard error.
void ShowMessage(const char* caption, const char* text, MessageIcon icon);

// Writes "caption: text" as a line of UTF-8 on standard error and flushes it: a message where no
// box is shown. Control bytes (line breaks included) are written as \xNN (EscapeControlBytes);
// a name quoted in UTF-8 is kept as it is (MessageTextToUtf8).
void WriteMessageLine(const char* caption, const char* text);

// Installs sink (nullptr restores the line on standard error) and returns the previous one.
// Written only by main-thread set-up code: the game and tools at start, tests around a case.
MessageSink SetMessageSink(MessageSink sink);
