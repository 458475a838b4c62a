#pragma once

#include "engine/criteria/ExtensionFilter.h"

// The five items of the picture-type list, all ticked, as the window starts with them.
QList<PictureType> StandardPictureTypes();
