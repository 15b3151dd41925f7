// What the desktop's locale says about dates and times, in the form the date
// macros and commands use.
#pragma once

#include "tools/dateformat.h"

// Day and month names, the short and long date and time patterns, their
// separators and the AM and PM texts of the user's locale (QLocale).
tv::DateLocale userDateLocale();
