#pragma once
// The compressions a movie can be written with: the encoders of the linked FFmpeg that really open,
// offered by a chooser in place of the platform's compression dialog.

#include <optional>
#include <string>
#include <vector>

enum class MovieContainer { Avi, Mp4 };

// One offered encoder. Ids: "dib" (uncompressed bottom-up BGR frames, AVI only), "mjpeg", "ffv1",
// "mpeg4", "h264".
struct MovieCodec {
    std::string id;
    std::string label;  // shown in the chooser
    bool hasQuality = false;
};

// The user's choice; quality 1 (smallest) .. 100 (best), for codecs that have one.
struct MovieCompression {
    std::string codec;
    int quality = 75;
};

// The codecs `container` can hold whose encoder opens here (tried once per process on a tiny
// picture): for AVI in the order above; for MP4 (H.264, MPEG-4) the preferred one first.
std::vector<MovieCodec> AvailableMovieCodecs(MovieContainer container);

// Asks the user for a compression; nothing when cancelled.
class CompressionChooser {
public:
    virtual ~CompressionChooser() = default;
    virtual std::optional<MovieCompression> Choose(const std::vector<MovieCodec>& codecs,
                                                   const MovieCompression& initial) = 0;
};
