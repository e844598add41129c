// The streaming conversion against the tree-and-XPath reference on generated documents.
#include <gtest/gtest.h>

#include <cstdio>

#include "convert/extract_srt.h"
#include "tests/convert/test_io.h"
#include "tests/reference/document_generator.h"
#include "tests/reference/reference_extract.h"

namespace caplift {
namespace {

constexpr int kDocuments = 5000;

TEST(Differential, StreamingEqualsReferenceOnGeneratedDocuments) {
  reference::DocumentGenerator generator(20240611);
  int converted = 0;
  int withCues = 0;
  for (int i = 0; i < kDocuments; ++i) {
    const std::string document = generator.next();
    const ExtractResult streamed = extractSRT(document);
    const ExtractResult expected = reference::extractSRT(document);
    ASSERT_EQ(streamed.ok(), expected.ok())
        << "document " << i << ":\n"
        << document << "\n"
        << (streamed.ok() ? expected.failure : streamed.failure)->description();
    ASSERT_EQ(streamed.srt, expected.srt) << "document " << i << ":\n" << document;
    if (!streamed.ok()) {
      ASSERT_EQ(streamed.failure->description(), expected.failure->description()) << document;
    }
    converted += streamed.ok();
    withCues += !streamed.srt.empty();
  }
  std::printf("[ compared ] %d generated documents: %d converted (%d with cues), %d refused\n",
              kDocuments, converted, withCues, kDocuments - converted);
  // The generator must exercise both outcomes to be worth anything.
  EXPECT_GT(withCues, kDocuments / 3);
  EXPECT_GT(kDocuments - converted, kDocuments / 100);
}

TEST(Differential, ChunkSizeChangesNothing) {
  reference::DocumentGenerator generator(7);
  for (int i = 0; i < 400; ++i) {
    const std::string document = generator.next();
    const ExtractResult whole = extractSRT(document);
    for (std::size_t chunk : {1, 2, 3, 7}) {
      const ExtractResult pieces = testing_io::convertInChunks(document, chunk);
      ASSERT_EQ(pieces.srt, whole.srt) << "chunk " << chunk << ", document:\n" << document;
      ASSERT_EQ(pieces.ok(), whole.ok()) << "chunk " << chunk << ", document:\n" << document;
      if (!whole.ok()) {
        ASSERT_EQ(pieces.failure->description(), whole.failure->description());
      }
    }
  }
}

}  // namespace
}  // namespace caplift
