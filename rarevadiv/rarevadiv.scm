(list
  (cons 'batchBrood
     (make-instance 'WarmlingBatchBrood
        #:loggingFrequency 1
        #:experimentDuration 250))
  (cons 'modelBrood
     (make-instance 'WarmlingModelBrood
        #:numBugs 100
        #:evaporationRate 0.99D0
        #:diffuseConstant 1.0D0
        #:worldXSize 80
        #:worldYSize 80
        #:minIdealTemp 17000
        #:maxIdealTemp 31000
        #:minOutputHeat 3000
        #:maxOutputHeat 10000
        #:randomMoveProbability 0.0D0
        #:randomizeWarmlingUpdateOrder #f)))
