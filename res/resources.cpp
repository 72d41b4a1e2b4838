// The resources are compiled into this library; the file gives the library a body.
namespace tarvix {
int resourcesLinked() { return 1; }
} // namespace tarvix
