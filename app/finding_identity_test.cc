#include "app/finding_identity.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(FindingIdentityTest, LetterCaseAndEncodingMakeNoDifferenceButEveryPartDoes) {
  const std::string identity =
      FindingIdentity("Sales", "OrderWindow", "nId", FindingKind::kDuplicateInClass);
  EXPECT_EQ(identity,
            FindingIdentity("SALES", "orderwindow", "NID", FindingKind::kDuplicateInClass));
  EXPECT_EQ(FindingIdentityOf("Gr\xF6\xDF"
                              "e",
                              "C", "v", FindingKind::kMissingParent),
            FindingIdentity("Gr\xC3\xB6\xC3\x9F"
                            "e",
                            "C", "v", FindingKind::kMissingParent));
  EXPECT_NE(identity,
            FindingIdentity("Sales", "OrderWindow", "nId", FindingKind::kDuplicateOfInherited));
  EXPECT_NE(identity,
            FindingIdentity("Sales", "OrderWindo", "wnId", FindingKind::kDuplicateInClass));
  EXPECT_NE(identity,
            FindingIdentity("Stock", "OrderWindow", "nId", FindingKind::kDuplicateInClass));
}

TEST(FindingIdentityTest, FingerprintsAreTheHashAndTheOrdinal) {
  // FNV-1a of the empty text is its offset basis; of "a", a known value.
  EXPECT_EQ(Fingerprint("", 1), "cbf29ce484222325:1");
  EXPECT_EQ(Fingerprint("a", 3), "af63dc4c8601ec8c:3");
  const std::string identity = FindingIdentity("A", "C", "v", FindingKind::kDuplicateInClass);
  EXPECT_NE(Fingerprint(identity, 1), Fingerprint(identity, 2));
  EXPECT_EQ(Fingerprint(identity, 1).size(), 18u);
}

}  // namespace
}  // namespace ivarscan
