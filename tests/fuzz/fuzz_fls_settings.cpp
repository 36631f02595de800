// The wired sensor's settings reply (0xF0): any length, any bytes.
#include "fuzzinput.h"

#include "devices/fls/flsreplies.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = fuzzBytes(data, size);
    const FlsModel model = FlsReplies::modelOf(reply);
    // Only replies of 24, 25 or 29 bytes carry a model byte.
    const int length = int(reply.size());
    FUZZ_CHECK((model != FlsModel::None) == (length == 24 || length == 25 || length == 29));

    const auto settings = FlsReplies::decodeSettings(reply);
    // A reply too short for the fields up to offset 22 and the CRC is refused.
    FUZZ_CHECK(settings.has_value() == (length >= FlsReplies::kSettingsMinLength));
    if (!settings)
        return 0;
    FUZZ_CHECK(settings->length == length);
    FUZZ_CHECK(settings->model == model);
    FUZZ_CHECK(settings->filtration() <= 15);
    (void)FlsReplies::modelName(settings->model);
    (void)FlsReplies::isCalibrated(settings->emptyCount, settings->fullCount);
    return 0;
}
