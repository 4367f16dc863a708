#pragma once

// Every user-visible failure is a modal message box with an OK button. Texts and captions are
// Windows-1252 bytes, exactly as the game stores them.

enum class MessageIcon { None, Information, Exclamation };

// Receives every message instead of the platform's box; tools and tests install one to collect.
using MessageSink = void (*)(const char* caption, const char* text, MessageIcon icon);

// Shows the message through the installed sink, or through the platform's box when none is set.
void ShowMessage(const char* caption, const char* text, MessageIcon icon);

// Installs sink (nullptr restores the platform's box) and returns the previous one.
// Written only by main-thread set-up code: tools at start, tests around a case.
MessageSink SetMessageSink(MessageSink sink);
