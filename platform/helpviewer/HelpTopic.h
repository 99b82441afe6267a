// The help viewer's argument: "file:NAME#ANCHOR", naming a help file of the device's
// \Windows folder and an anchor in it.
#pragma once

#include <QDir>
#include <QString>

struct HelpTopic {
    QString file;    // bare file name, e.g. "VevivoZozoruv.htm"; empty when none was given
    QString anchor;  // without '#'; empty for the top of the file
    bool valid = false;
};

// Accepts "file:NAME#ANCHOR", "file:NAME", "NAME#ANCHOR" and "NAME" ("file:" without regard
// to case), and a NAME written as a device path "\Windows\NAME". Anything else that names a
// folder ('/', '\', "..") or is empty is invalid: the viewer shows only files of its own folder.
HelpTopic ParseHelpTopic(const QString& argument);

// The file in `folder` whose name equals `name` without regard to case (the exact name first);
// an empty string when there is none or it is not a regular file.
QString FindHelpFile(const QDir& folder, const QString& name);
