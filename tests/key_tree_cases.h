#pragma once
// Removals of whole key trees, run against the in-memory registry of the unit tests and against
// Wine's registry: what goes, what stays and the code that comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "registry_cases.h"
#include "repair/key_removal.h"

namespace key_tree_cases {

using namespace platform;

struct Case {
  const char* name;
  const char* remove;               // below the scratch key
  long code = kErrorSuccess;
  std::vector<std::string> gone = {};  // keys removed
  std::vector<std::string> stay = {};  // keys left, besides the neighbours
  bool noParent = false;            // removes below no handle at all
};

inline void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
inline std::string CaseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

// A product tree several levels deep between look-alikes: names that share a prefix, sort on
// either side, and the same leaf name under a neighbouring parent.
inline void BuildProductTree(registry_cases::ScratchTree& tree) {
  for (const char* key :
       {"Product\\A\\B\\C\\D\\E", "Product\\A\\B\\C2", "Product\\A\\_first", "Product\\Z\\Last", "Product\\Mid",
        "Product2\\A", "Produc", "_Product", "Handlers\\http\\s-http\\Sub", "Handlers\\http\\other",
        "Handlers\\https\\s-http", "C:/Windows/System32/Vel.dll\\Sub"}) {
    tree.CreateKey(key);
  }
  tree.SetValue("Product", "", registry_cases::Sz("product"));
  tree.SetValue("Product\\A\\B\\C\\D", "Path", registry_cases::Sz("C:\\x"));
  tree.SetValue("Product2\\A", "", registry_cases::Sz("other"));
  tree.SetValue("Handlers\\http\\other", "CLSID", registry_cases::Sz("{other}"));
}

const std::vector<std::string> kNeighbours = {"Product2\\A", "Produc", "_Product", "Handlers\\http\\other",
                                              "Handlers\\https\\s-http"};

inline const Case kCases[] = {
    {.name = "AbsentKey", .remove = "Absent", .code = kErrorFileNotFound, .stay = {"Product\\A\\B\\C\\D\\E"}},
    {.name = "TreeSixLevelsDeep", .remove = "Product", .gone = {"Product"}},
    {.name = "LeafWithoutSubkeys", .remove = "Produc", .gone = {"Produc"}, .stay = {"Product\\Mid"}},
    {.name = "PathOfSeveralLevels", .remove = "Handlers\\http\\s-http", .gone = {"Handlers\\http\\s-http"},
     .stay = {"Handlers\\http"}},
    {.name = "NameWithForwardSlashes", .remove = "C:/Windows/System32/Vel.dll", .gone = {"C:/Windows/System32/Vel.dll"},
     .stay = {"Product\\Mid"}},
    {.name = "BelowNoHandle", .remove = "Product", .code = kErrorInvalidHandle, .stay = {"Product\\A\\B\\C\\D\\E"},
     .noParent = true},
};

inline void RunCase(registry_cases::ScratchTree& tree, const Case& c) {
  BuildProductTree(tree);
  Registry& registry = tree.registry();
  RegKey scratch;
  ASSERT_EQ(OpenKey(registry, kCurrentUser, tree.Path(), kKeyReadWrite, &scratch), kErrorSuccess);
  EXPECT_EQ(DeleteKeyTree(registry, c.noParent ? 0 : scratch.get(), c.remove), c.code);
  for (const std::string& key : c.gone) EXPECT_FALSE(tree.KeyExists(key)) << key;
  for (const std::string& key : c.stay) EXPECT_TRUE(tree.KeyExists(key)) << key;
  for (const std::string& key : kNeighbours) {
    if (std::find(c.gone.begin(), c.gone.end(), key) == c.gone.end()) {
      EXPECT_TRUE(tree.KeyExists(key)) << key;
    }
  }
}

}  // namespace key_tree_cases
