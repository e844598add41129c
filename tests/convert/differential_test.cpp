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
  int compared = 0;
  int converted = 0;
  int withCues = 0;
  for (int i = 0; i < kDocuments; ++i) {
    const std::string document = generator.next();
    const ExtractResult streamed = extractSRT(document);
    const ExtractResult expected = reference::extractSRT(document);
    ASSERT_EQ(streamed.ok(), expected.ok())
        << "document " << i << ":\n"
        << document << "\n"
        << (streamed.ok() ? expected.failure : streamed.failure)->description;
    if (streamed.ok()) {
      ASSERT_EQ(streamed.srt, expected.srt) << "document " << i << ":\n" << document;
      ++converted;
      withCues += !streamed.srt.empty();
    } else {
      ASSERT_EQ(streamed.failure->description, expected.failure->description)
          << "document " << i << ":\n"
          << document;
    }
    ++compared;
  }
  std::printf("[ compared ] %d generated documents: %d converted (%d with cues), %d refused\n",
              compared, converted, withCues, compared - converted);
  // The generator must exercise both outcomes to be worth anything.
  EXPECT_GT(withCues, kDocuments / 3);
  EXPECT_GT(compared - converted, kDocuments / 100);
}

TEST(Differential, ChunkSizeChangesNothing) {
  reference::DocumentGenerator generator(7);
  int compared = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string document = generator.next();
    const ExtractResult whole = extractSRT(document);
    for (std::size_t chunk : {1, 2, 3, 7}) {
      const ExtractResult pieces = testing_io::convertInChunks(document, chunk);
      ASSERT_EQ(pieces.srt, whole.srt) << "chunk " << chunk << ", document:\n" << document;
      ASSERT_EQ(pieces.ok(), whole.ok()) << "chunk " << chunk << ", document:\n" << document;
      if (!whole.ok()) {
        ASSERT_EQ(pieces.failure->description, whole.failure->description);
      }
      ++compared;
    }
  }
  std::printf("[ compared ] %d chunked conversions\n", compared);
}

}  // namespace
}  // namespace caplift
