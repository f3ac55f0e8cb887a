#include "share/messages.h"

namespace share {

using Kind = platform::Failure::Kind;

platform::Failure refused(const QString& why)
{
    platform::Failure failure(Kind::Refused, why, messages::kChooseOurFile);
    failure.under(messages::kNotRead).leaving(messages::kNothingChanged);
    return failure;
}

platform::Failure refusedOurs(const QString& why)
{
    platform::Failure failure(Kind::Refused, why, messages::kWriteOursAgain);
    failure.under(messages::kNotRead).leaving(messages::kNothingChanged);
    return failure;
}

platform::Failure failed(const QString& why)
{
    return platform::Failure(Kind::Failed, why);
}

platform::Failure cancelled()
{
    return platform::Failure(Kind::Cancelled, messages::kCancelled);
}

} // namespace share
