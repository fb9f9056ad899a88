#pragma once
// Where the editor shows a model's nodes in its window, worked out from the
// installed panel picture and description and the window's size alone, and
// the device value a connection between two of them stands for.

#include <string>
#include <vector>

namespace e2e {

struct PlannedNode {
    std::string name; // "MAINinL 0": the row's label and the node's index
    int row = 0;
    int index = 0;
    int x = 0; // centre of the node in window pixels
    int y = 0;
};

struct PagePlan {
    std::vector<PlannedNode> nodes; // io-table order, as many as LED records
    double scale = 0; // window pixels per picture pixel
    int originX = 0; // window position of the picture's top-left pixel
    int originY = 0;
};

// Reads the picture's pixel size and the description's OUTLINE and LED
// records and places every node for a window of the given client size. The
// window's width fixes the picture's scale (10 pixels free on each side) and
// its height ends 10 pixels below the picture. False with a reason when a file
// cannot be read or holds no OUTLINE record.
bool planPage(int model, const std::string& picture, const std::string& description,
    int windowWidth, int windowHeight, PagePlan& plan, std::string& error);

// The node named `name` in the plan, or null.
const PlannedNode* findNode(const PagePlan& plan, const std::string& name);

// A connection the page may make, as the device numbers it.
struct PlannedConnection {
    long key = 0; // the destination's source-select key
    int value = 0; // the source's position among the destination's choices
    int choices = 0; // how many sources the destination may take with every option off
};

// Looks up source -> destination of model `model` with every port option off.
// False with a reason when either node does not exist or may not feed the other.
bool planConnection(int model, const std::string& source, const std::string& destination,
    PlannedConnection& out, std::string& error);

} // namespace e2e
