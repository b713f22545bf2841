#pragma once
// The calendar engine: pure functions on doubles, no text, no state.

#include "engine/civil_calendar.h"
#include "engine/hebrew_date.h"
#include "engine/hebrew_year.h"
#include "engine/numeric.h"
