#include "RComboBox.h"

RComboBox::~RComboBox() = default;
