#include "MemoryRegistry.h"

#include "RegistryText.h"

namespace inventory::test {

struct MemoryRegistry::Node {
    std::string name;
    std::vector<std::unique_ptr<Node>> children;
    std::vector<tools::TextValue> values;
    std::optional<std::uint64_t> lastWrite;
    bool failing = false;

    Node* Child(std::string_view childName) const {
        for (const auto& child : children)
            if (EqualsNoCase(child->name, childName)) return child.get();
        return nullptr;
    }
};

namespace {

class MemoryKey final : public RegistryKey {
public:
    explicit MemoryKey(const MemoryRegistry::Node& node) : node_(node) {}

    std::unique_ptr<RegistryKey> OpenSubkey(std::string_view name) const override {
        Check();
        const MemoryRegistry::Node* child = node_.Child(name);
        return child ? std::make_unique<MemoryKey>(*child) : nullptr;
    }
    std::vector<std::string> SubkeyNames() const override {
        Check();
        std::vector<std::string> names;
        for (const auto& child : node_.children) names.push_back(child->name);
        return names;
    }
    std::vector<std::string> ValueNames() const override {
        Check();
        std::vector<std::string> names;
        for (const auto& value : node_.values) names.push_back(value.name);
        return names;
    }
    std::optional<RawValue> ReadValue(std::string_view name) const override {
        Check();
        for (const auto& value : node_.values)
            if (EqualsNoCase(value.name, name)) return RawValue{value.type, value.data};
        return std::nullopt;
    }
    std::optional<std::uint64_t> LastWriteTime() const override { return node_.lastWrite; }

private:
    void Check() const {
        if (node_.failing) throw ReadError("damaged on purpose");
    }

    const MemoryRegistry::Node& node_;
};

}  // namespace

MemoryRegistry::MemoryRegistry(std::string_view regText, const std::vector<std::string>& failing)
    : root_(std::make_unique<Node>()) {
    const auto find = [&](const std::string& path) {
        Node* node = root_.get();
        for (std::size_t begin = 0; begin < path.size();) {
            const std::size_t end = std::min(path.find('\\', begin), path.size());
            const std::string name = path.substr(begin, end - begin);
            Node* child = node->Child(name);
            if (!child) {
                node->children.push_back(std::make_unique<Node>());
                child = node->children.back().get();
                child->name = name;
            }
            node = child;
            begin = end + 1;
        }
        return node;
    };
    for (const tools::TextKey& key : tools::ParseRegText(regText)) {
        Node* node = find(key.path);
        node->values.insert(node->values.end(), key.values.begin(), key.values.end());
        if (key.lastWrite) node->lastWrite = key.lastWrite;
    }
    for (const std::string& path : failing) find(path)->failing = true;
}

MemoryRegistry::~MemoryRegistry() = default;

std::unique_ptr<RegistryKey> MemoryRegistry::Root() const {
    return std::make_unique<MemoryKey>(*root_);
}

}  // namespace inventory::test
