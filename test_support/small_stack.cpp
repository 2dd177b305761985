#include "test_support/small_stack.h"

#include <pthread.h>

namespace test_support {

bool run_on_small_stack(std::size_t stack_bytes, const std::function<void()>& work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, stack_bytes);
  pthread_t thread;
  auto body = [](void* argument) -> void* {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
  };
  auto* argument = const_cast<std::function<void()>*>(&work);
  const bool started = pthread_create(&thread, &attributes, body, argument) == 0;
  if (started) pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
  return started;
}

}  // namespace test_support
