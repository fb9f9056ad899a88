// Where a newly built node goes when the page is built from the io table.
#pragma once

#include "ModelTables.h"

class IODesc;
class IODescList;

// Files node into the page: a node whose row's source list begins with
// TO_FRONT goes into active after the last such node (at the head when there
// is none); a node whose group a port option of the current model brings in
// goes to the end of that option's side list (it starts off the page);
// any other node goes to the end of active.
void PlaceNode(IODesc* node, IODescList& active, IODescList* sideLists);
