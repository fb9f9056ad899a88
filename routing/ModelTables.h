// Constant description of every supported device model: the io tables that the
// page's nodes are made from, the port-option (combo) tables and main_table.
#pragma once

#include "GroupID.h"

constexpr int sourceListLength = 12; // words of an io row's source list
constexpr int modelCount = 3; // rows of main_table
constexpr int maxComboRows = 4; // the editor serves buttons 120-123 and lists 124-127
constexpr int comboSideListCount = 8;

// One row of a model's io table; the row yields `count` nodes with index 0..count-1.
struct io_entry {
    groupID group;
    int count;
    int key; // base source-select key, 0 = none
    int key2; // base key of the second half of the row, 0 = no split
    int gainKey; // base gain key, 0 = none
    int gainKey2; // gain base key of the second half, 0 = no split
    const char* label;
    int inputs; // -1 source, >0 selectable destination, 0 fixed
    int indexOffset; // for sources: -1 = any index, n = node i feeds only index i + n
    groupID sources[sourceListLength];
};

// Which of the editor's exchange procedures a port option runs. The procedures
// live in the editor; the tables only name them so that they stay plain data.
enum class ComboProcId {
    none,
    fwire_spdifc_proc,
    fwire_spdifo_proc,
    fwire_spdifc2_proc,
    fwire_spdifoo_proc,
    q7300_ana_proc,
};

// One port option: its choice texts (null-terminated; a null `texts` ends the
// table), the device key holding the choice, its procedure and the group it
// brings onto the page.
struct ComboDesc {
    const char* const* texts;
    int key;
    ComboProcId proc;
    groupID group;
};

struct model_entry {
    const char* modelName;
    const char* bitmapFile;
    const char* panelFile;
    const io_entry* ioTable;
    const ComboDesc* comboDescs;
    int menuId;
    int ioRows; // rows in ioTable: the io tables carry no terminating row
};

extern const io_entry io_table72[];
extern const io_entry io_table7a2[];
extern const io_entry io_table7fw2[];
extern const char* const OnOffDescText[];
extern const char* const fwDescText2[];
extern const ComboDesc q7300ComboDesc[];
extern const ComboDesc q7300aComboDesc[];
extern const ComboDesc fwComboDesc[];
extern const model_entry main_table[modelCount];

// Index of the model being edited in main_table.
extern int tablenum;

// Row tablenum of main_table, or null when tablenum is not a valid row (so a
// bad stored model number can be caught instead of read past the table).
const model_entry* currentModel();

// Number of nodes the model's io table yields (sum of the rows' counts).
int ioNodeCount(const model_entry& model);

// Number of rows of a combo table before its terminating row; 0 for null.
int comboDescCount(const ComboDesc* table);

// Number of choice texts of a combo row.
int comboTextCount(const ComboDesc& row);

// Row of the current model's combo table whose group is g, -1 when none.
int ComboDescIndexFromGroup(groupID g);

// The main-output rows 0x10010091 / 0x10010092 interleave their keys, so
// consecutive nodes step by 2; every other row steps by 1.
int rowStride(const io_entry* entry);

// Source-select key of node `index` of a row, 0 when the row has none.
long nodeKey(const io_entry* entry, int index, int stride);

// Gain key of node `index` of a row, 0 when the row has none.
long nodeGainKey(const io_entry* entry, int index);
