#include "settings/signature_option_file.h"

#include "common/field_reader.h"
#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/settings_folder.h"
#include "common/text_file.h"

namespace {

QString signatureOptionPath()
{
    return settingsFilePath(QString::fromLatin1(SignatureOptionFileName));
}

} // namespace

Result<std::int16_t> readSignatureOption()
{
    return attempt([] {
        DelimitedFieldReader reader(readFileBytes(signatureOptionPath()));
        return wholeNumberOf(reader.read());
    });
}

Result<void> writeSignatureOption(std::int16_t state)
{
    return attempt(
        [state] { rewriteFile(signatureOptionPath(), joinLines({numericPrintForm(state)})); });
}
