/* A converter library for the tests of the control-module page. The "project" it converts is a
   text file naming the control-module files to hand out, one per line, and the tool list on a
   line "TOOLS <file>". One control module is copied to the target file; more go to STM.0,
   STM.1, ... and TOOLS.OVR beside the project. The result is the number of control modules. */

#include <stdio.h>
#include <string.h>

static void from_short_string(const unsigned char* s, char* out) {
  memcpy(out, s + 1, s[0]);
  out[s[0]] = 0;
}

static int copy_file(const char* from, const char* to) {
  FILE* in = fopen(from, "rb");
  if (!in) return 0;
  FILE* out = fopen(to, "wb");
  if (!out) {
    fclose(in);
    return 0;
  }
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) fwrite(buffer, 1, n, out);
  fclose(in);
  fclose(out);
  return 1;
}

int ZYNConvert(const unsigned char* source, const unsigned char* target) {
  char src[256], dst[256], line[512], tools[512] = "", files[8][512], folder[256], name[600];
  int n = 0;
  from_short_string(source, src);
  from_short_string(target, dst);
  FILE* f = fopen(src, "r");
  if (!f) return 0;
  while (n < 8 && fgets(line, sizeof line, f)) {
    line[strcspn(line, "\r\n")] = 0;
    if (strncmp(line, "TOOLS ", 6) == 0)
      strcpy(tools, line + 6);
    else if (line[0])
      strcpy(files[n++], line);
  }
  fclose(f);
  strcpy(folder, src);
  char* slash = strrchr(folder, '/');
  if (slash) slash[1] = 0; else folder[0] = 0;
  if (n == 1) return copy_file(files[0], dst);
  for (int i = 0; i < n; ++i) {
    snprintf(name, sizeof name, "%sSTM.%d", folder, i);
    if (!copy_file(files[i], name)) return 0;
  }
  snprintf(name, sizeof name, "%sTOOLS.OVR", folder);
  if (tools[0] && !copy_file(tools, name)) return 0;
  return n;
}
