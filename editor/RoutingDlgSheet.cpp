// The patch sheet: the page as a picture and as a table, written side by side
// so that a session's routing can be documented.
#include "CRoutingDlg.h"

#include "CFileDialog.h"
#include "MessageBoxHook.h"
#include "ModelTables.h"

#include <QFile>
#include <QFileInfo>
#include <QPixmap>

namespace {

// One CSV field: quoted when it holds a separator, a quote or a line break.
std::string csvField(const CString& text)
{
    std::string s(static_cast<const char*>(text));
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

bool CRoutingDlg::WriteSheet(const CString& path)
{
    QString base = textToQString(path);
    const QString suffix = QFileInfo(base).suffix().toLower();
    if (suffix == "png" || suffix == "csv")
        base.chop(suffix.size() + 1);

    std::string table = "group,destination,source,gain_dB\r\n";
    for (POSITION pos = activeNodes.GetHeadPosition(); pos;) {
        IODesc* n = activeNodes.Next(pos);
        if (!n->IsActiveInput() || n->disabled)
            continue;
        CString gain;
        if (n->gainKey)
            gain.Format("%.1f", n->gain);
        table += csvField(groupName(n->Group())) + "," + csvField(n->GetText()) + ","
            + csvField(n->source ? n->source->GetText() : CString()) + "," + csvField(gain)
            + "\r\n";
    }
    ForEachOption([&](int k, const ComboDesc& row, RComboBox& list) {
        CString name, choice;
        name.Format("option %d", k + 1);
        if (row.group != noGroup)
            name = groupName(row.group);
        list.GetLBText(list.pageChoice, choice);
        table += "option," + csvField(name) + "," + csvField(choice) + ",\r\n";
    });

    QFile csv(base + ".csv");
    const bool tableWritten = csv.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && csv.write(table.data(), static_cast<qint64>(table.size()))
            == static_cast<qint64>(table.size())
        && csv.flush();
    csv.close();
    const CRect r = picture.GetDisplayRect();
    const QPixmap shot = GetWidget()->grab(QRect(r.left, r.top, r.Width(), r.Height()));
    const bool pictureWritten = !shot.isNull() && shot.save(base + ".png", "PNG");
    return tableWritten && pictureWritten;
}

void CRoutingDlg::OnExportSheet()
{
    CFileDialog dialog(FALSE, "png", "patch sheet", 0,
        "Patch Sheets (*.png *.csv)|*.png;*.csv|All Files (*.*)|*.*||", this);
    if (dialog.DoModal() != static_cast<int>(IDOK))
        return;
    const CString path = dialog.GetPathName();
    if (!WriteSheet(path))
        MessageBox(path, "Cannot save file", MB_ICONWARNING);
}
