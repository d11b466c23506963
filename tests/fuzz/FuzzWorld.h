#pragma once
// What the gameplay targets share: the tests' world set-up (the shipped scripts and game objects
// on the headless device, the shipped config's font, the fake clock, data/ as the working
// folder), made once for the whole run.

#include "tests/fuzz/FuzzInput.h"
#include "tests/game/gameplay/world/WorldFixture.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

class FuzzWorld : public WorldTest {
public:
    static FuzzWorld& Get()
    {
        static FuzzWorld* const world = [] {
            FuzzWorld* made = new FuzzWorld;
            made->SetUp();
            // Kept on, the record of every device call would grow for the whole run.
            platform::testing::RecordRenderCalls(false);
            return made;
        }();
        return *world;
    }
    // The path of a file in the run's own folder holding these bytes.
    std::wstring Write(const std::string& name, const std::string& bytes)
    {
        tarn_test::WriteBytes(m_Dir.File(name), bytes);
        return m_Dir.WFile(name);
    }
    void TestBody() override {}
};

// libFuzzer names the corpus folders, the artifacts and the files of its flags relative to the
// working folder, which the set-up above moves to data/ at the first input. So, before libFuzzer
// reads its arguments, every path among them is made absolute against the folder the run started
// in, which also becomes the artifacts' place when no prefix is given (their default).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static std::vector<std::string> kept;
    static std::vector<char*> pointers;
    const std::set<std::string> pathFlags = {"artifact_prefix", "exact_artifact_path", "dict",
                                             "merge_control_file", "features_dir", "mutation_graph_file",
                                             "stop_file", "data_flow_trace", "collect_data_flow"};
    const auto absolute = [](const std::string& path) {
        return path.empty() ? path : std::filesystem::absolute(path).string();
    };
    bool prefixed = false, ignoreRest = false;
    kept.assign(*argv, *argv + *argc);
    for (size_t i = 1; i < kept.size() && !ignoreRest; ++i) {
        std::string& arg = kept[i];
        if (arg[0] != '-') {
            arg = absolute(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(1, equals == std::string::npos ? std::string::npos : equals - 1);
        const std::string value = equals == std::string::npos ? std::string() : arg.substr(equals + 1);
        ignoreRest = name == "ignore_remaining_args" && value == "1";
        prefixed = prefixed || name == "artifact_prefix";
        if (name == "seed_inputs" && !value.empty() && value[0] == '@') {
            arg = "-seed_inputs=@" + absolute(value.substr(1)); // the file that holds the list
        } else if (name == "seed_inputs") {
            std::string list;
            for (size_t start = 0;;) {
                const size_t comma = value.find(',', start);
                list += (start ? "," : "") + absolute(value.substr(start, comma - start));
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
            arg = "-seed_inputs=" + list;
        } else if (pathFlags.count(name)) {
            arg = "-" + name + "=" + absolute(value);
        }
    }
    if (!prefixed) kept.push_back("-artifact_prefix=" + std::filesystem::current_path().string() + "/");
    pointers.clear();
    for (std::string& arg : kept) pointers.push_back(&arg[0]);
    pointers.push_back(nullptr);
    *argc = int(kept.size());
    *argv = pointers.data();
    return 0;
}

