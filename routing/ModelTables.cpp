#include "ModelTables.h"

// Rows: group, count, key, key2, gainKey, gainKey2, label, inputs, indexOffset, sources.
// Source lists of non-destination rows are all zero words, except that a
// leading TO_FRONT asks for front placement.

const io_entry io_table72[] = {
    { SPDIFcin, 2, 0, 0, 0, 0, "SPDIFin", -1, 0, {} },
    { ANAin, 2, 0, 0, 0x10030013, 0, "ANAin", -1, 6, {} },
    { AESin, 8, 0, 0, 0, 0, "AESin", -1, 0, {} },
    { ADATin, 8, 0, 0, 0, 0, "ADATin", -1, -1, {} },
    { MAINinL, 8, 0x1001081a, 0, 0, 0, "MAINinL", 1, 0,
        { SPDIFcin, ANAin, AESin, ADATin, noGroup } },
    { MAINinR, 8, 0, 0, 0x1003001a, 0x10030033, "MAINinR", -1, -1, {} },
    { DSPAin, 8, 0x10010081, 0x10010605, 0x10010085, 0x10010612, "DSPAin", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { DSPBin, 8, 0x100100d1, 0x1001060c, 0x100100d5, 0x10010618, "DSPBin", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { DSPAout, 8, 0, 0, 0x100100a0, 0x10010622, "DSPAout", -1, -1, {} },
    { DSPBout, 8, 0, 0, 0x100100e0, 0x10010629, "DSPBout", -1, -1, {} },
    { MAINoutLa, 8, 0x10010091, 0x100100c1, 0, 0, "MAINoutLa", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { MAINoutLb, 8, 0x10010092, 0x100100c2, 0, 0, "MAINoutLb", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { MAINoutR, 8, 0, 0, 0x10030067, 0x1003003b, "MAINoutR", -1, -1, { TO_FRONT } },
    { AESout, 8, 0, 0, 0, 0, "AESout", 0, 0, {} },
    { ADATout, 8, 0x10010824, 0, 0, 0, "ADATout", 1, 0, { MAINoutR, ADATin, noGroup } },
    { SPDIFcout1, 2, 0, 0, 0, 0, "SPDIFout", 0, 0, {} },
    { ANAout, 2, 0, 0, 0x10030063, 0, "ANAout", 0, 0, {} },
};

const io_entry io_table7a2[] = {
    { SPDIFcin, 2, 0, 0, 0, 0, "SPDIFin", -1, 4, {} },
    { ANAin, 4, 0, 0, 0x10030013, 0, "ANAin", -1, 0, {} },
    { AESin, 4, 0, 0, 0, 0, "AESin", -1, 4, {} },
    { ADATin, 8, 0, 0, 0, 0, "ADATin", -1, -1, {} },
    { MAINinL, 8, 0x1001081a, 0, 0, 0, "MAINinL", 1, 0,
        { SPDIFcin, ANAin, AESin, ADATin, noGroup } },
    { MAINinR, 8, 0, 0, 0x1003001a, 0x10030033, "MAINinR", -1, -1, {} },
    { DSPAin, 8, 0x10010081, 0x10010605, 0x10010085, 0x10010612, "DSPAin", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { DSPBin, 8, 0x100100d1, 0x1001060c, 0x100100d5, 0x10010618, "DSPBin", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { DSPAout, 8, 0, 0, 0x100100a0, 0x10010622, "DSPAout", -1, -1, {} },
    { DSPBout, 8, 0, 0, 0x100100e0, 0x10010629, "DSPBout", -1, -1, {} },
    { MAINoutLa, 8, 0x10010091, 0x100100c1, 0, 0, "MAINoutLa", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { MAINoutLb, 8, 0x10010092, 0x100100c2, 0, 0, "MAINoutLb", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { MAINoutR, 8, 0, 0, 0x10030067, 0x1003003b, "MAINoutR", -1, -1, { TO_FRONT } },
    { ANAout, 4, 0, 0, 0x10030063, 0, "ANAout", 0, 0, {} },
    { AESout, 4, 0, 0, 0, 0, "AESout", 0, 0, {} },
    { ADATout, 8, 0x10010824, 0, 0, 0, "ADATout", 1, 0, { MAINoutR, ADATin, noGroup } },
    { SPDIFcout1, 2, 0, 0, 0, 0, "SPDIFout", -1, 0, {} },
};

const io_entry io_table7fw2[] = {
    { SPDIFcin, 2, 0, 0, 0, 0, "SPDIFcin", -1, 4, {} },
    { FWIRE1in, 8, 0, 0, 0, 0, "FWIRE1in", -1, -1, {} },
    { SPDIFoin, 2, 0, 0, 0, 0, "SPDIFoin", -1, -1, {} },
    { SPDIFcin2, 2, 0, 0, 0, 0, "SPDIFcin2", -1, -1, {} },
    { FWIRE2in, 8, 0, 0, 0, 0, "FWIRE2in", -1, -1, {} },
    { AES10in, 8, 0, 0, 0, 0, "AES10in", -1, -1, {} },
    { ANAin, 4, 0, 0, 0x10030013, 0, "ANAin", -1, 0, {} },
    { AESin, 4, 0, 0, 0, 0, "AESin", -1, 4, {} },
    { ADATin, 8, 0, 0, 0, 0, "ADATin", -1, -1, {} },
    { MAINinL, 8, 0x1001081a, 0, 0, 0, "MAINinL", 1, 0,
        { ANAin, SPDIFcin, AESin, SPDIFoin, ADATin, AES10in, SPDIFcin2, FWIRE1in, FWIRE2in,
            noGroup } },
    { MAINinR, 8, 0, 0, 0x1003001a, 0x10030033, "MAINinR", -1, -1, {} },
    { DSPAin, 8, 0x10010081, 0x10010605, 0x10010085, 0x10010612, "DSPAin", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { DSPBin, 8, 0x100100d1, 0x1001060c, 0x100100d5, 0x10010618, "DSPBin", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { DSPAout, 8, 0, 0, 0x100100a0, 0x10010622, "DSPAout", -1, -1, {} },
    { DSPBout, 8, 0, 0, 0x100100e0, 0x10010629, "DSPBout", -1, -1, {} },
    { MAINoutLa, 8, 0x10010091, 0x100100c1, 0, 0, "MAINoutLa", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { MAINoutLb, 8, 0x10010092, 0x100100c2, 0, 0, "MAINoutLb", 1, 0,
        { MAINinR, DSPAout, DSPBout, noGroup } },
    { MAINoutR, 8, 0, 0, 0x10030067, 0x1003003b, "MAINoutR", -1, -1, { TO_FRONT } },
    { ANAout, 4, 0, 0, 0x10030063, 0, "ANAout", 0, 0, {} },
    { AESout, 4, 0, 0, 0, 0, "AESout", 0, 0, {} },
    { ADATout, 8, 0x10010824, 0, 0, 0, "ADATout", 1, 0,
        { MAINoutR, ADATin, AES10in, SPDIFoin, SPDIFcin2, FWIRE1in, FWIRE2in, noGroup } },
    { SPDIFcout2, 2, 0, 0, 0, 0, "SPDIFcout2", -1, 0, {} },
    { FWIRE1out, 8, 0x10010848, 0, 0, 0, "FWIRE1out", 1, 0,
        { MAINoutR, ADATin, AES10in, SPDIFoin, SPDIFcin2, noGroup } },
    { AES10out, 8, 0x10010840, 0, 0, 0, "AES10out", 1, 0,
        { MAINoutR, ADATin, AES10in, SPDIFoin, SPDIFcin2, FWIRE1in, FWIRE2in, noGroup } },
    { SPDIFcout1, 2, 0, 0, 0, 0, "SPDIFcout1", -1, 0, {} },
    { SPDIFoout, 2, 0, 0, 0, 0, "SPDIFoout", -1, 0, {} },
    { FWIRE2out, 8, 0x10010850, 0, 0, 0, "FWIRE2out", 1, 0,
        { MAINoutR, ADATin, AES10in, SPDIFoin, SPDIFcin2, noGroup } },
};

// The index of a text is the choice value exchanged with the device.
const char* const OnOffDescText[] = { "off", "on", nullptr };
const char* const fwDescText2[]
    = { "off", "aes11/12", "aes13/14", "aes15/16", "aes17/18", nullptr };

const ComboDesc q7300ComboDesc[] = {
    { OnOffDescText, 0x1001005d, ComboProcId::fwire_spdifc_proc, SPDIFcin },
    { OnOffDescText, 0x1001082d, ComboProcId::q7300_ana_proc, ANAin },
    { nullptr, 0, ComboProcId::none, noGroup },
};

const ComboDesc q7300aComboDesc[] = {
    { OnOffDescText, 0x1001005d, ComboProcId::fwire_spdifc_proc, SPDIFcin },
    { nullptr, 0, ComboProcId::none, noGroup },
};

const ComboDesc fwComboDesc[] = {
    { OnOffDescText, 0x1001005d, ComboProcId::fwire_spdifc_proc, SPDIFcin },
    { fwDescText2, 0x10010888, ComboProcId::fwire_spdifo_proc, SPDIFoin },
    { OnOffDescText, 0x1001088a, ComboProcId::fwire_spdifc2_proc, SPDIFcin2 },
    { fwDescText2, 0x10010889, ComboProcId::fwire_spdifoo_proc, noGroup },
    { nullptr, 0, ComboProcId::none, noGroup },
};

template <typename T, int N> constexpr int rowsOf(const T (&)[N])
{
    return N;
}

const model_entry main_table[modelCount] = {
    { "Q7300", "routing72.bmp", "routing72.txt", io_table72, q7300ComboDesc, 105,
        rowsOf(io_table72) },
    { "Q7300A", "routing7a2.bmp", "routing7a2.txt", io_table7a2, q7300aComboDesc, 106,
        rowsOf(io_table7a2) },
    { "Q7300FW", "routing7fw2.bmp", "routing7fw2.txt", io_table7fw2, fwComboDesc, 107,
        rowsOf(io_table7fw2) },
};

int tablenum = 0;

const model_entry* currentModel()
{
    if (tablenum < 0 || tablenum >= modelCount)
        return nullptr;
    return &main_table[tablenum];
}

int ioNodeCount(const model_entry& model)
{
    int n = 0;
    for (int r = 0; r < model.ioRows; ++r)
        n += model.ioTable[r].count;
    return n;
}

int comboDescCount(const ComboDesc* table)
{
    int n = 0;
    if (table)
        while (table[n].texts)
            ++n;
    return n;
}

int comboTextCount(const ComboDesc& row)
{
    int n = 0;
    if (row.texts)
        while (row.texts[n])
            ++n;
    return n;
}

int ComboDescIndexFromGroup(groupID g)
{
    const model_entry* model = currentModel();
    if (!model || !model->comboDescs)
        return -1;
    for (int k = 0; model->comboDescs[k].texts; ++k)
        if (model->comboDescs[k].group == g)
            return k;
    return -1;
}

int rowStride(const io_entry* entry)
{
    return (entry && (entry->key == 0x10010091 || entry->key == 0x10010092)) ? 2 : 1;
}

long nodeKey(const io_entry* entry, int index, int stride)
{
    if (!entry || entry->key == 0)
        return 0;
    int half = entry->count / 2;
    if (entry->key2 != 0 && index >= half)
        return entry->key2 + static_cast<long>(index - half) * stride;
    return entry->key + static_cast<long>(index) * stride;
}

long nodeGainKey(const io_entry* entry, int index)
{
    if (!entry || entry->gainKey == 0)
        return 0;
    int half = entry->count / 2;
    if (entry->gainKey2 != 0 && index >= half)
        return entry->gainKey2 + static_cast<long>(index - half);
    return entry->gainKey + static_cast<long>(index);
}
