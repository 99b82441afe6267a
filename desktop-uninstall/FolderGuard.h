// Decides whether the program may remove the folder it was started from.
//
// The batch file empties the program's folder and everything below it, and the uninstall
// entry named after that folder goes too, so the program must sit in a folder of its own.
// It refuses:
//  - a drive's root folder (the entry name would be empty), or any other root of a volume,
//    such as a network share or a folder on which a volume is mounted;
//  - a system or shared folder, or any folder that holds one: the Windows and system
//    folders, the folder of the user profiles, and every folder the shell reports for the
//    CSIDL list in FolderGuard.cpp (Program Files and their common files, the user's profile,
//    desktop, documents, application data, start menu and the rest of the shell folders, for
//    the user and for all users), and the temporary folder;
//  - any folder at or below the Windows folder;
//  - any user's profile (a folder directly inside the folder of the profiles), and in any
//    profile the shell folders: those known by name directly inside it (Desktop, Documents,
//    AppData, ...) and those found where the current user's own shell folders lie inside
//    the current user's profile, and every folder that holds one of them.
//  - a program path that FitsPathBuffer rejects, one whose batch text would not fit its
//    buffer, or one that PathSurvivesBatch rejects (the batch would remove another folder).
// A folder of its own inside one of the other folders, such as C:\Program Files\Korvel
// Tessamo or one in a user's documents, is accepted.
#pragma once

// False for a program path of MAX_PATH - 1 characters or more, which may have been cut short.
bool FitsPathBuffer(const char* programPath);

// `programPath` is the program's full path, `folder` that path up to its last backslash,
// `entryName` the name of the folder itself.
bool MayRemoveFolder(const char* programPath, const char* folder, const char* entryName);
