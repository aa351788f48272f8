// Replaced as the library gains its files.
namespace quorvane {
int ExportLibraryPlaceholder() { return 0; }
} // namespace quorvane
