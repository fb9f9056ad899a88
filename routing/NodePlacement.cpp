#include "NodePlacement.h"

#include "IODescList.h"

void PlaceNode(IODesc* node, IODescList& active, IODescList* sideLists)
{
    if (node->entry->sources[0] == TO_FRONT) {
        POSITION lastFront = nullptr;
        for (POSITION pos = active.GetHeadPosition(); pos;) {
            POSITION here = pos;
            if (active.Next(pos)->entry->sources[0] == TO_FRONT)
                lastFront = here;
        }
        if (lastFront)
            active.InsertAfter(lastFront, node);
        else
            active.AddHead(node);
        return;
    }
    int k = ComboDescIndexFromGroup(node->Group());
    if (k >= 0 && k < comboSideListCount && sideLists) {
        sideLists[k].AddTail(node);
        return;
    }
    active.AddTail(node);
}
