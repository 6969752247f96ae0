#include "errors/procedure.h"

#include "platform/process.h"
#include "platform/runtimeerror.h"

#include <new>

namespace errors {

void reportCurrentException(std::exception_ptr e)
{
    using platform::Err;
    using platform::RuntimeError;
    try {
        std::rethrow_exception(e);
    } catch (const RuntimeError& re) {
        Err().set(re);
    } catch (const platform::ProcessEnded&) {
        throw; // not an error: the program is ending
    } catch (const std::bad_alloc&) {
        Err().set(RuntimeError(platform::errnum::OutOfMemory));
    } catch (const std::exception& ex) {
        Err().set(RuntimeError(platform::errnum::InternalError,
                               platform::errorDescription(platform::errnum::InternalError) + ": " + ex.what()));
    } catch (...) {
        Err().set(RuntimeError(platform::errnum::InternalError));
    }
    gErrHandler().HandleError();
    Err().Clear();
}

} // namespace errors
