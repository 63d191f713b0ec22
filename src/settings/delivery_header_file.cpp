#include "settings/delivery_header_file.h"

#include "common/field_reader.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

#include <QStringList>

namespace {

QString headerPath(const QString& settingsFolder)
{
    return resolveFileName(settingsFolder, QString::fromLatin1(DeliveryHeaderFileName));
}

} // namespace

std::optional<DeliveryHeader> readDeliveryHeader(const QString& settingsFolder)
{
    const QString path = headerPath(settingsFolder);
    if (!holdsData(path))
        return std::nullopt;

    DeliveryHeader header;
    const QStringList lines = readLeadingLines(path, DeliveryHeader::SlotCount).valueOr({});
    for (int n = 1; n <= lines.size(); ++n)
        header.slot(n) = lines[n - 1];
    return header;
}

Result<void> writeDeliveryHeader(const QString& settingsFolder, const DeliveryHeader& header)
{
    QStringList lines(header.values.begin(), header.values.end());
    lines[DeliveryHeader::SpacerSlot - 1] = QStringLiteral("    ");
    return attempt([&] { rewriteFile(headerPath(settingsFolder), joinLines(lines)); });
}
