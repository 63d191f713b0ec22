#include "settings/delivery_header_file.h"

#include "common/field_reader.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

#include <QStringList>

namespace {

QString headerPath()
{
    return settingsFilePath(QString::fromLatin1(DeliveryHeaderFileName));
}

} // namespace

std::optional<DeliveryHeader> readDeliveryHeader()
{
    const QString path = headerPath();
    if (!holdsData(path))
        return std::nullopt;

    DeliveryHeader header;
    try {
        LineReader lines(readFileBytes(path));
        for (int n = 1; n <= DeliveryHeader::SlotCount && !lines.atEnd(); ++n)
            header.slot(n) = lines.readLine();
    } catch (const RuntimeError&) {
        // The slots read so far stand.
    }
    return header;
}

void writeDeliveryHeader(const DeliveryHeader& header)
{
    QStringList lines(header.values.begin(), header.values.end());
    lines[DeliveryHeader::SpacerSlot - 1] = QStringLiteral("    ");
    rewriteFile(headerPath(), joinLines(lines));
}
