// NoInStoreSavingPassViewController: the notice that the place asked for has no in-store
// savings pass ("Stores"), with a button back to the store search to ask for another place.
// Main thread only.
#pragma once

#include <memory>

#include "ui/ViewController.hpp"

namespace kelda::stores {

class NoInStoreSavingPassViewController : public ui::ViewController {
 public:
  static constexpr const char* kNotice =
      "There is no instore savings pass for this area at the moment. Please try another ZIP "
      "code or city.";

  NoInStoreSavingPassViewController();

 protected:
  std::shared_ptr<ui::View> loadView() override;
};

}  // namespace kelda::stores
