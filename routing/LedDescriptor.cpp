#include "LedDescriptor.h"

LedDescriptor::~LedDescriptor() = default;
