// Reads an arbitrary network file the way the game does and, when it is taken, lets it name a few
// strokes cut from the bytes after the text. A file is refused with TarnCoreException or read
// into a network whose answer is "no class" or one of its outputs; nothing may crash.

#include "game/gameplay/gestures/GestureRecognizer.h"

#include "engine/core/base/TarnCoreException.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/TempDir.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static tarn_test::TempDir dir;
    FuzzInput in(data, size);
    tarn_test::WriteBytes(dir.File("nn.xml"), in.text);
    try {
        const Runegarden::GestureRecognizer recognizer(dir.WFile("nn.xml"));
        const int outputs = recognizer.GetNetwork()->GetLayerSizes().back();
        do {
            // A stroke of up to 63 rows of up to 63 bytes each (rows may differ), some painted.
            std::vector<std::vector<unsigned char>> rows(in.Next() % 64);
            for (auto& row : rows) row.assign(in.Next() % 64, 0);
            for (int painted = in.Next() % 32; painted > 0 && !rows.empty(); --painted) {
                std::vector<unsigned char>& row = rows[in.Next() % rows.size()];
                if (!row.empty()) row[in.Next() % row.size()] = 1;
            }
            const int type = recognizer.Recognize(rows);
            if (type < -1 || type >= outputs) std::abort();
        } while (in.More());
    } catch (const SCore::TarnCoreException&) {
    }
    return 0;
}
