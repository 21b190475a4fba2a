#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One target of the build as the configure step wrote it: its folder from the source root
// ("-" for imported ones), what it links directly, its type and its source files.
struct Target {
    std::string folder;
    std::vector<std::string> links;
    std::string type;
    std::vector<std::string> sources;
};

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> list;
    std::istringstream stream(text);
    for (std::string word; stream >> word;) list.push_back(word);
    return list;
}

using LinkGraph = std::map<std::string, Target>;

LinkGraph readLinkGraph() {
    LinkGraph graph;
    std::ifstream file(ZANTIVA_LINK_GRAPH);
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        std::string name;
        std::string links;
        std::string sources;
        Target target;
        std::getline(fields, name, '\t');
        std::getline(fields, target.folder, '\t');
        std::getline(fields, links, '\t');
        std::getline(fields, target.type, '\t');
        std::getline(fields, sources);
        target.links = words(links);
        target.sources = words(sources);
        graph.emplace(name, std::move(target));
    }
    return graph;
}

// The chain of links from one target to another, both ends included, when there is one.
std::optional<std::vector<std::string>> linkPath(const LinkGraph& graph, const std::string& from, const std::string& to) {
    std::map<std::string, std::string> reachedFrom{{from, ""}};
    std::deque<std::string> pending{from};
    while (!pending.empty()) {
        const std::string current = pending.front();
        pending.pop_front();
        if (current == to) {
            std::vector<std::string> path;
            for (std::string step = to; !step.empty(); step = reachedFrom[step]) path.insert(path.begin(), step);
            return path;
        }
        const auto found = graph.find(current);
        if (found == graph.end()) continue;
        for (const std::string& link : found->second.links)
            if (reachedFrom.emplace(link, current).second) pending.push_back(link);
    }
    return std::nullopt;
}

std::string joined(const std::vector<std::string>& path) {
    std::string text;
    for (const std::string& step : path) text += (text.empty() ? "" : " -> ") + step;
    return text;
}

bool isUnder(const std::string& folder, const std::string& layer) {
    return folder == layer || folder.starts_with(layer + "/");
}

// Every library linking Qt reaches Qt6::Core; every widget library reaches Qt6::Widgets.
struct Layer {
    std::string folder;
    std::vector<std::string> forbidden;
};

const std::vector<Layer> layers{
    // Records, engines, readers and what the screens show are plain C++.
    {"ZantivaCore", {"Qt6::Core"}},
    {"ZantivaUI/PanelPresenters", {"Qt6::Core"}},
    {"ZantivaUI/Palette", {"Qt6::Core"}},
    {"ZantivaDiagnostics/Presenters", {"Qt6::Core"}},
    // What runs and is tested without a window: no widgets, and nothing drawn.
    {"ZantivaServices", {"Qt6::Widgets", "Qt6::Gui"}},
    {"ZantivaBridge", {"Qt6::Widgets", "Qt6::Gui"}},
    {"ZantivaDiagnostics/Runners", {"Qt6::Widgets", "Qt6::Gui"}},
    {"ZantivaDiagnostics/ExternalRun", {"Qt6::Widgets", "Qt6::Gui"}},
    {"ZantivaDiagnostics/PageReader", {"Qt6::Widgets", "Qt6::Gui"}},
    {"ZantivaDiagnostics/App", {"Qt6::Widgets", "Qt6::Gui"}},
    // Sound and camera bring Qt Gui with Qt Multimedia, and the command line plays sound.
    {"ZantivaDiagnostics/Media", {"Qt6::Widgets"}},
    {"ZantivaDiagnostics/Sound", {"Qt6::Widgets"}},
    {"ZantivaDiagnostics/CLI", {"Qt6::Widgets"}},
    // A screen reads what it shows through the interfaces the model implements; only Shell,
    // the composition root, knows the whole model.
    {"ZantivaDiagnostics/Dashboard", {"ZantivaApp"}},
    {"ZantivaDiagnostics/Stations", {"ZantivaApp"}},
    {"ZantivaDiagnostics/Results", {"ZantivaApp"}},
    {"ZantivaDiagnostics/ExternalScreens", {"ZantivaApp"}},
    {"ZantivaDiagnostics/WasherWindow", {"ZantivaApp"}},
    {"ZantivaDiagnostics/Feeds", {"ZantivaApp", "Qt6::Gui"}},
    // The design system's gallery is a demo: the product never carries it.
    {"ZantivaDiagnostics/App", {"ZantivaUIGallery"}},
    {"ZantivaDiagnostics/Shell", {"ZantivaUIGallery"}},
    {"ZantivaDiagnostics/CLI", {"ZantivaUIGallery"}},
};

// A helper program links its protocol and what it reads, nothing of the program that starts it:
// no command line, app model, runner, account service or screen.
struct HelperProgram {
    std::string target;
    std::vector<std::string> forbidden;
};

const std::vector<std::string> programLibraries{"ZantivaCLI",         "ZantivaApp",     "ZantivaRunners",
                                                "ZantivaExternalRun", "ZantivaAccount", "ZantivaExternalScreens",
                                                "ZantivaShell"};

const std::vector<HelperProgram> helperPrograms{
    {"zantiva-page-reader", {}},
    {"zantiva-web-request", {"ZantivaExternal", "Qt6::Gui"}},
    // Without Qt: it must start and end with nothing but the C library.
    {"zantiva-tool-guard", {"ZantivaExternal", "Qt6::Core"}},
    // Without Qt: it runs as root.
    {"zantiva-drive-health", {"ZantivaExternal", "Qt6::Core"}},
};

TEST(LinkGraph, FollowsLinksIntoQtAndItsCompanions) {
    const LinkGraph graph = readLinkGraph();
    ASSERT_FALSE(graph.empty()) << "no link graph at " << ZANTIVA_LINK_GRAPH;
    // A graph that stopped at imported targets would let every layer pass.
    EXPECT_TRUE(linkPath(graph, "Qt6::Widgets", "Qt6::Gui"));
    EXPECT_TRUE(linkPath(graph, "QCoro6::Core", "Qt6::Core"));
    EXPECT_TRUE(linkPath(graph, "Qt6Keychain::Qt6Keychain", "Qt6::Core"));
    // Found by one folder alone (the display test's refresh meter).
    EXPECT_TRUE(linkPath(graph, "Qt6::OpenGLWidgets", "Qt6::Widgets"));
    EXPECT_EQ(linkPath(graph, "Qt6::Core", "Qt6::Widgets"), std::nullopt);
}

TEST(Layers, NoTargetLinksWhatItsLayerLeavesOut) {
    const LinkGraph graph = readLinkGraph();
    for (const Layer& layer : layers) {
        int targets = 0;
        for (const auto& [name, target] : graph) {
            if (!isUnder(target.folder, layer.folder)) continue;
            ++targets;
            for (const std::string& forbidden : layer.forbidden)
                if (const auto path = linkPath(graph, name, forbidden))
                    ADD_FAILURE() << name << " (" << layer.folder << ") links " << forbidden << ": " << joined(*path);
        }
        // A layer that lost its folder would check nothing.
        EXPECT_GT(targets, 0) << "no target in " << layer.folder;
    }
}

TEST(Layers, HelperProgramsLinkOnlyTheirReaderAndTheirProtocol) {
    const LinkGraph graph = readLinkGraph();
    for (const HelperProgram& program : helperPrograms) {
        ASSERT_TRUE(graph.contains(program.target)) << "no target " << program.target;
        auto forbidden = program.forbidden;
        forbidden.insert(forbidden.end(), programLibraries.begin(), programLibraries.end());
        for (const std::string& library : forbidden)
            if (const auto path = linkPath(graph, program.target, library))
                ADD_FAILURE() << program.target << " links " << library << ": " << joined(*path);
    }
}

bool isLibrary(const Target& target) { return target.type == "STATIC_LIBRARY" || target.type == "INTERFACE_LIBRARY"; }

// The library each include folder belongs to: an include line "Folder/Name.h" reads it.
std::map<std::string, std::string> includeFolderOwners(const LinkGraph& graph) {
    std::map<std::string, std::string> owners;
    for (const auto& [name, target] : graph)
        if (isLibrary(target) && target.folder != "-")
            owners.emplace(std::filesystem::path(target.folder).filename().string(), name);
    return owners;
}

// What a target is made of: its sources and, for a library, every header of its folder.
std::vector<std::filesystem::path> filesOf(const Target& target) {
    const std::filesystem::path root = ZANTIVA_SOURCE_DIR;
    std::vector<std::filesystem::path> files;
    for (const std::string& source : target.sources) files.push_back(root / source);
    if (isLibrary(target))
        for (const auto& entry : std::filesystem::directory_iterator(root / target.folder))
            if (entry.path().extension() == ".h") files.push_back(entry.path());
    return files;
}

// The folders that the file's include lines name ("Theme/Metric.h" names Theme).
std::vector<std::string> includedFolders(const std::filesystem::path& file) {
    std::vector<std::string> folders;
    std::ifstream stream(file);
    const std::string directive = "#include \"";
    for (std::string line; std::getline(stream, line);) {
        if (!line.starts_with(directive)) continue;
        const std::string included = line.substr(directive.size());
        const auto slash = included.find('/');
        if (slash != std::string::npos) folders.push_back(included.substr(0, slash));
    }
    return folders;
}

// A file that includes a library's header without its target linking that library builds
// only as long as someone else happens to link it, and hides an edge the layers don't see.
TEST(Layers, EveryIncludedLibraryIsLinked) {
    const LinkGraph graph = readLinkGraph();
    const auto owners = includeFolderOwners(graph);
    int files = 0;
    for (const auto& [name, target] : graph) {
        if (!target.folder.starts_with("Zantiva")) continue;
        for (const auto& file : filesOf(target)) {
            ++files;
            for (const std::string& folder : includedFolders(file)) {
                const auto owner = owners.find(folder);
                if (owner == owners.end() || owner->second == name) continue;
                if (!linkPath(graph, name, owner->second))
                    ADD_FAILURE() << std::filesystem::relative(file, ZANTIVA_SOURCE_DIR).string() << " includes "
                                  << folder << "/, but " << name << " doesn't link " << owner->second;
            }
        }
    }
    // A graph without sources would check nothing.
    EXPECT_GT(files, 100);
}

} // namespace
