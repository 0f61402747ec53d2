// vorabsVoid.h - the empty value of kind markers: the key's presence is the information.
#pragma once

#include "vorabs_export.h"

class VORABS_API vorabsVoid {};
