// Clang's thread-safety annotations: which mutex guards a field, which a function needs held or takes and lets
// go. Clang checks them at compile time (-Wthread-safety); other compilers see nothing.
#pragma once

#if defined(__clang__)
#define THREAD_ANNOTATION(x) __attribute__((x))
#else
#define THREAD_ANNOTATION(x)
#endif

// A type that is a lock (a mutex), and a type whose objects hold one for their lifetime.
#define CAPABILITY(name) THREAD_ANNOTATION(capability(name))
#define SCOPED_CAPABILITY THREAD_ANNOTATION(scoped_lockable)
// A field read and written only with the mutex held; a pointer whose target is.
#define GUARDED_BY(mutex) THREAD_ANNOTATION(guarded_by(mutex))
#define PT_GUARDED_BY(mutex) THREAD_ANNOTATION(pt_guarded_by(mutex))
// A function called with the mutexes held (exclusively, or at least shared), or never with them held.
#define REQUIRES(...) THREAD_ANNOTATION(requires_capability(__VA_ARGS__))
#define REQUIRES_SHARED(...) THREAD_ANNOTATION(requires_shared_capability(__VA_ARGS__))
#define EXCLUDES(...) THREAD_ANNOTATION(locks_excluded(__VA_ARGS__))
// A function that takes the mutexes, or lets them go.
#define ACQUIRE(...) THREAD_ANNOTATION(acquire_capability(__VA_ARGS__))
#define ACQUIRE_SHARED(...) THREAD_ANNOTATION(acquire_shared_capability(__VA_ARGS__))
#define RELEASE(...) THREAD_ANNOTATION(release_capability(__VA_ARGS__))
#define RELEASE_SHARED(...) THREAD_ANNOTATION(release_shared_capability(__VA_ARGS__))
#define RELEASE_GENERIC(...) THREAD_ANNOTATION(release_generic_capability(__VA_ARGS__))
#define TRY_ACQUIRE(...) THREAD_ANNOTATION(try_acquire_capability(__VA_ARGS__))
// A function that returns the mutex named.
#define RETURN_CAPABILITY(mutex) THREAD_ANNOTATION(lock_returned(mutex))
// A function the analysis does not look into: where a lock changes hands in a way it cannot follow.
#define NO_THREAD_SAFETY_ANALYSIS THREAD_ANNOTATION(no_thread_safety_analysis)
