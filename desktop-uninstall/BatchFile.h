// The batch file that removes the program and its folder once the program has ended.
#pragma once

#include <windows.h>

// Written to the root folder of the current drive.
extern const char kBatchPath[];

// Capacity of the batch text, terminating zero included.
constexpr int kBatchCapacity = 1000;

// Copies `path` into `folder` (MAX_PATH + 1 bytes) up to but not including its last
// backslash: the folder that holds the program.
void FolderOfPath(char* folder, const char* path);

// Length of the batch text (without terminating zero) for the given program path and
// folder, computed without formatting anything.
int BatchTextLength(const char* programPath, const char* folder);

// Formats the batch text into `text` (kBatchCapacity bytes), in the code page the command
// interpreter reads batch files in (the OEM one), while the paths come in the ANSI one.
// Returns its length, or -1 when it would not fit or some path cannot be written so that
// the interpreter reads the same path back; `text` is then left empty.
int FormatBatchText(char* text, const char* programPath, const char* folder);

// True when the interpreter reads `path`, written in a quoted batch line, as the same path:
// no character it expands ('%' always, '!' under delayed expansion), no '?' (what the
// system puts for a character the ANSI code page lacks), and every character present in
// the OEM code page.
bool PathSurvivesBatch(const char* path);

// Writes the batch for the running program, replacing any earlier one, and starts it
// suspended at idle priority in a hidden window, then resumes it. The running program
// raises its own priority so it ends before the batch gets going. Nothing is reported:
// a file that cannot be written starts nothing; a batch that cannot be started stays.
void WriteAndStartBatch();
