#include "export/codec_messages.h"

extern "C" {
#include <libavutil/log.h>
}

namespace video_export {

void ShowCodecMessages(bool verbose) { av_log_set_level(verbose ? AV_LOG_INFO : AV_LOG_ERROR); }

}  // namespace video_export
