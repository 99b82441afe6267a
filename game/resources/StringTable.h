// The program's string resources: English texts by id. Translation happens on top of this
// (TranslationTable::LoadTranslatedString); this table never changes at run time.
#pragma once

#include <string>

#include "platform/Types.h"

// The text of string resource `id`, or an empty string when there is no such resource.
std::u16string LoadStringResource(UINT id);
