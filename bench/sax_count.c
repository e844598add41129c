/* The floor for the converter: a bare libxml2 SAX2 parse of one file that only counts start tags.
 * It reads the file the way the converter does (libxml2 pulls through a read callback, in the
 * chunks it asks for) with the converter's parser options, so the difference between the two is
 * what the conversion itself costs.
 *
 *   caplift_bench_sax_count FILE
 *
 * Prints the number of elements; exits 1 when the file cannot be read or is not well-formed. */

#include <errno.h>
#include <fcntl.h>
#include <libxml/parser.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static unsigned long elements = 0;

static void countElement(void* context, const xmlChar* localName, const xmlChar* prefix,
                         const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                         int attributeCount, int defaultedCount, const xmlChar** attributes) {
  (void)context, (void)localName, (void)prefix, (void)uri, (void)namespaceCount;
  (void)namespaces, (void)attributeCount, (void)defaultedCount, (void)attributes;
  ++elements;
}

static int readFile(void* input, char* buffer, int capacity) {
  const int fd = *(const int*)input;
  int filled = 0;
  while (filled < capacity) {
    const ssize_t count = read(fd, buffer + filled, (size_t)(capacity - filled));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return -1;
    if (count == 0) break;
    filled += (int)count;
  }
  return filled;
}

static int closeFile(void* input) {
  (void)input;
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  int fd = open(argv[1], O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    fprintf(stderr, "%s: %s\n", argv[1], strerror(errno));
    return 1;
  }
  xmlSAXHandler sax;
  memset(&sax, 0, sizeof sax);
  sax.initialized = XML_SAX2_MAGIC;
  sax.startElementNs = countElement;
  xmlParserCtxtPtr context =
      xmlCreateIOParserCtxt(&sax, NULL, readFile, closeFile, &fd, XML_CHAR_ENCODING_NONE);
  if (context == NULL) return 1;
  xmlCtxtUseOptions(context, XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_IGNORE_ENC);
  xmlParseDocument(context);
  const int wellFormed = context->wellFormed;
  xmlFreeParserCtxt(context);
  close(fd);
  if (!wellFormed) {
    fprintf(stderr, "%s: not well-formed\n", argv[1]);
    return 1;
  }
  printf("%lu\n", elements);
  return 0;
}
