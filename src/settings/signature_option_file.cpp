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

std::int16_t readSignatureOption()
{
    try {
        DelimitedFieldReader reader(readFileBytes(signatureOptionPath()));
        return wholeNumberOf(reader.read());
    } catch (const RuntimeError&) {
        return 0;
    }
}

void writeSignatureOption(std::int16_t state)
{
    rewriteFile(signatureOptionPath(), joinLines({numericPrintForm(state)}));
}
