#include "view/x11_shm_segment.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace view {

std::unique_ptr<TX11ShmSegment> TX11ShmSegment::Create(xcb_connection_t* connection, size_t bytes) {
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(connection, &xcb_shm_id);
  if (ext == nullptr || !ext->present || bytes == 0) return nullptr;
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0) return nullptr;
  void* address = shmat(id, nullptr, 0);
  const uint32_t segment = xcb_generate_id(connection);
  xcb_generic_error_t* error = nullptr;
  if (address != reinterpret_cast<void*>(-1)) {
    error = xcb_request_check(connection, xcb_shm_attach_checked(connection, segment, uint32_t(id), 0));
  }
  // Marked for removal at once: it lives on while the server and we are attached.
  shmctl(id, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1)) return nullptr;
  if (error != nullptr) {
    std::free(error);
    shmdt(address);
    return nullptr;
  }
  return std::unique_ptr<TX11ShmSegment>(
      new TX11ShmSegment(connection, segment, static_cast<uint32_t*>(address), bytes));
}

TX11ShmSegment::~TX11ShmSegment() {
  xcb_shm_detach(connection_, segment_);
  xcb_flush(connection_);
  shmdt(pixels_);
}

}  // namespace view
