// The catalogue is constant data in the header, checked when the program is compiled.
#include "lessons/LessonCatalogue.h"
