#include "common/runtime_error.h"

namespace {

std::string describe(ErrorCode code, const QString& detail)
{
    std::string text = "run-time error " + std::to_string(static_cast<int>(code));
    if (!detail.isEmpty())
        text += ": " + detail.toStdString();
    return text;
}

} // namespace

RuntimeError::RuntimeError(ErrorCode code, const QString& detail)
    : std::runtime_error(describe(code, detail))
    , m_code(code)
    , m_detail(detail)
{
}

Failure RuntimeError::failure() const
{
    return {m_code, m_detail};
}
