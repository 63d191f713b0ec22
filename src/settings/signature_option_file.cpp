#include "settings/signature_option_file.h"

#include "common/field_reader.h"
#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

namespace {

QString signatureOptionPath(const QString& settingsFolder)
{
    return resolveFileName(settingsFolder, QString::fromLatin1(SignatureOptionFileName));
}

} // namespace

Result<std::int16_t> readSignatureOption(const QString& settingsFolder)
{
    return attempt([&] {
        DelimitedFieldReader reader(readFileBytes(signatureOptionPath(settingsFolder)));
        return wholeNumberOf(reader.read());
    });
}

Result<void> writeSignatureOption(const QString& settingsFolder, std::int16_t state)
{
    return attempt([&] {
        rewriteFile(signatureOptionPath(settingsFolder), joinLines({numericPrintForm(state)}));
    });
}
