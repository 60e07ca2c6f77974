#pragma once
// A score played by its voices into 16-bit samples, and the resgen step that
// writes every sound of rules/sounds.h into Res/Sound/ from data/sound/.
#include <string>

#include "platform/wav.h"
#include "tools/resgen/common/resgen.h"
#include "tools/resgen/sound/sound_score.h"

// A looping piece comes out exactly one loop long, the notes still ringing at
// its end laid over its head, so that playing it round and round sounds as if
// it were written out again and again (no click at the seam). Any other piece
// ends where its last sound dies away.
WavClip RenderScore(const Score& score);

// data/sound/music.txt and effects.txt to Res/Sound/<name>.wav.
bool GenerateSounds(const ResgenPaths& paths);
