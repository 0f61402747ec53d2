// vorabsPrecursor.h - the empty value that marks a probe set handed to a
// sink's supported() query before a compound item is made.
#pragma once

#include "vorabs_export.h"

class VORABS_API vorabsPrecursor {};
